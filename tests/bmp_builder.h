// Builds .bmp file bytes for the tests of the bitmap reader and the tile sets.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct BmpRecipe {
    int width = 1;
    int height = 1;
    int bits = 24;                     // 1, 4, 8 (indices into palette), 16 (5-6-5 bit fields), 24, 32
    bool fileHeader = true;            // the 14-byte "BM" header
    int headerSize = 40;               // 12 (core), 40, or 124 (masks inside the header)
    std::vector<std::uint32_t> palette;  // 0xRRGGBB
    bool writeImageSize = true;        // else the field is 0
    bool writeColoursUsed = true;      // else the field is 0
};

inline void PutLe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// value(x, y), y from the top: a palette index for 8 bits or fewer, else 0xRRGGBB.
inline std::vector<std::uint8_t> MakeBmp(const BmpRecipe& recipe, const std::function<std::uint32_t(int, int)>& value)
{
    const bool core = recipe.headerSize == 12;
    const bool fields = recipe.bits == 16;
    const std::uint32_t stride = (recipe.bits * recipe.width + 31) / 32 * 4;
    const std::uint32_t imageSize = stride * recipe.height;
    const std::uint32_t entry = core ? 3 : 4;
    const std::uint32_t table = fields ? (recipe.headerSize == 40 ? 12 : 0)
                                       : entry * static_cast<std::uint32_t>(recipe.palette.size());
    const std::uint32_t offset = (recipe.fileHeader ? 14 : 0) + recipe.headerSize + table;

    std::vector<std::uint8_t> out;
    if (recipe.fileHeader) {
        out.push_back('B');
        out.push_back('M');
        PutLe(out, offset + imageSize, 4);
        PutLe(out, 0, 4);
        PutLe(out, offset, 4);
    }
    PutLe(out, recipe.headerSize, 4);
    if (core) {
        PutLe(out, recipe.width, 2);
        PutLe(out, recipe.height, 2);
        PutLe(out, 1, 2);
        PutLe(out, recipe.bits, 2);
    } else {
        PutLe(out, recipe.width, 4);
        PutLe(out, static_cast<std::uint32_t>(recipe.height), 4);
        PutLe(out, 1, 2);
        PutLe(out, recipe.bits, 2);
        PutLe(out, fields ? 3 : 0, 4);
        PutLe(out, recipe.writeImageSize ? imageSize : 0, 4);
        PutLe(out, 2835, 4);
        PutLe(out, 2835, 4);
        PutLe(out, recipe.writeColoursUsed ? static_cast<std::uint32_t>(recipe.palette.size()) : 0, 4);
        PutLe(out, 0, 4);
        // The masks: inside a later header, after a 40-byte one.
        if (recipe.headerSize > 40 || fields) {
            PutLe(out, 0xF800, 4);
            PutLe(out, 0x07E0, 4);
            PutLe(out, 0x001F, 4);
        }
        while (out.size() < (recipe.fileHeader ? 14u : 0u) + recipe.headerSize)
            out.push_back(0);
    }
    if (!fields)
        for (std::uint32_t c : recipe.palette) {
            PutLe(out, c & 0xFFFFFF, 3);
            if (!core)
                out.push_back(0);
        }
    for (int y = recipe.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < recipe.width; ++x) {
            const std::uint32_t v = value(x, y);
            switch (recipe.bits) {
            case 1:
                row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= static_cast<std::uint8_t>((v & 15) << (x % 2 == 0 ? 4 : 0));
                break;
            case 8:
                row[x] = static_cast<std::uint8_t>(v);
                break;
            case 16: {
                const std::uint32_t p = ((v >> 19) & 0x1F) << 11 | ((v >> 10) & 0x3F) << 5 | ((v >> 3) & 0x1F);
                row[2 * x] = static_cast<std::uint8_t>(p);
                row[2 * x + 1] = static_cast<std::uint8_t>(p >> 8);
                break;
            }
            default:
                for (int k = 0; k < recipe.bits / 8; ++k)
                    row[recipe.bits / 8 * x + k] = k < 3 ? static_cast<std::uint8_t>(v >> (8 * k)) : 0;
                break;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}
