// Reading Windows .bmp pictures from bytes in memory, safely, and reading their pixels.
#include "display/bitmap.h"

#include <cstdlib>
#include <utility>

static const std::size_t FileHeaderSize = 14;
static const std::size_t CoreHeaderSize = 12;
static const std::size_t InfoHeaderSize = 40;

static std::uint32_t Le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

static std::uint32_t Le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// True when [start, start + length) lies inside a buffer of `size` bytes.
static bool Inside(std::uint64_t start, std::uint64_t length, std::size_t size)
{
    return start <= size && length <= size - start;
}

static std::uint64_t RowBytes(int bits, int width)
{
    return (static_cast<std::uint64_t>(bits) * static_cast<std::uint64_t>(width) + 31) / 32 * 4;
}

// Writes pixel index `value` at (x, row) of uncompressed rows of `bits` bits a pixel.
static void PutIndex(std::uint8_t* rows, std::size_t stride, int bits, int x, int row, int value)
{
    std::uint8_t& byte = rows[static_cast<std::size_t>(row) * stride + static_cast<std::size_t>(x * bits / 8)];
    if (bits == 8) {
        byte = static_cast<std::uint8_t>(value);
    } else {
        const int shift = x % 2 == 0 ? 4 : 0;
        byte = static_cast<std::uint8_t>((byte & ~(0x0F << shift)) | ((value & 0x0F) << shift));
    }
}

// Expands the runs of an RLE8 or RLE4 picture into rows stored bottom-up.
// Pixels that would fall outside the picture are dropped; false when the runs
// end in the middle of a code.
static bool DecodeRunLength(const std::uint8_t* runs, std::size_t length, int bits, int width, int height,
                            std::size_t stride, std::uint8_t* rows)
{
    std::size_t at = 0;
    int x = 0, row = 0;  // row 0 is the first stored, the bottom of the picture
    auto put = [&](int value) {
        if (x < width && row < height)
            PutIndex(rows, stride, bits, x, row, value);
        ++x;
    };
    while (row < height) {
        if (length - at < 2)
            return at == length;  // runs may simply stop: the rest stays index 0
        const int count = runs[at], code = runs[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count && x < width; ++i)
                put(bits == 8 ? code : (i % 2 == 0 ? code >> 4 : code & 0x0F));
        } else if (code == 0) {
            x = 0;
            ++row;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (length - at < 2)
                return false;
            // a jump right and up; past the right edge only the next line matters
            x = x + runs[at] > width ? width : x + runs[at];
            row += runs[at + 1];
            at += 2;
        } else {
            // `code` literal pixels, padded to a whole number of 16-bit words
            const std::size_t bytes = bits == 8 ? code : (static_cast<std::size_t>(code) + 1) / 2;
            if (length - at < bytes)
                return false;
            for (int i = 0; i < code; ++i) {
                const std::uint8_t b = runs[at + (bits == 8 ? i : i / 2)];
                if (x < width)
                    put(bits == 8 ? b : (i % 2 == 0 ? b >> 4 : b & 0x0F));
            }
            at += bytes + (bytes % 2);
            if (at > length)
                at = length;
        }
    }
    return true;
}

bool ReadBitmap(const std::uint8_t* data, std::size_t size, Bitmap* picture)
{
    if (data == nullptr || size < FileHeaderSize)
        return false;
    const bool fileHeader = data[0] == 'B' && data[1] == 'M';
    const std::size_t headerStart = fileHeader ? FileHeaderSize : 0;
    if (!Inside(headerStart, 4, size))
        return false;

    Bitmap read;
    const std::uint8_t* h = data + headerStart;
    const std::uint32_t headerSize = Le32(h);
    std::uint64_t next;  // where the colour table or the masks begin
    if (headerSize == CoreHeaderSize) {
        if (!Inside(headerStart, CoreHeaderSize, size))
            return false;
        read.coreHeader = true;
        read.width = static_cast<int>(Le16(h + 4));
        read.height = static_cast<int>(Le16(h + 6));
        read.planes = static_cast<int>(Le16(h + 8));
        read.bitsPerPixel = static_cast<int>(Le16(h + 10));
        next = headerStart + CoreHeaderSize;
    } else if (headerSize >= InfoHeaderSize) {
        if (!Inside(headerStart, headerSize, size))
            return false;
        read.width = static_cast<std::int32_t>(Le32(h + 4));
        read.height = static_cast<std::int32_t>(Le32(h + 8));
        read.planes = static_cast<int>(Le16(h + 12));
        read.bitsPerPixel = static_cast<int>(Le16(h + 14));
        read.compression = Le32(h + 16);
        read.imageSize = Le32(h + 20);
        read.coloursUsed = Le32(h + 32);
        // Later header versions keep their bit-field masks inside the header,
        // right where the 40-byte form stores them after itself.
        next = headerStart + InfoHeaderSize;
    } else {
        return false;
    }

    const int bits = read.bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    const bool runLength = (read.compression == BitmapRle8 && bits == 8) || (read.compression == BitmapRle4 && bits == 4);
    if (read.compression != BitmapRgb && !runLength &&
        !(read.compression == BitmapBitFields && (bits == 16 || bits == 32)))
        return false;
    // Run-length pictures are always stored bottom-up.
    if (runLength && read.height < 0)
        return false;
    if (read.width <= 0 || read.width > BitmapMaxSide || read.height == 0 ||
        read.height > BitmapMaxSide || read.height < -BitmapMaxSide)
        return false;

    const std::uint64_t colourCount =
        read.coloursUsed != 0 ? read.coloursUsed : (bits <= 8 ? (1u << bits) : 0u);
    const std::uint64_t rows = static_cast<std::uint64_t>(std::abs(read.height));
    if (static_cast<std::uint64_t>(read.width) * rows > BitmapMaxPixels)
        return false;
    const std::uint64_t needed = RowBytes(bits, read.width) * rows;
    if (needed > 0xFFFFFFFFu)
        return false;
    if (read.imageSize == 0 && !runLength)
        read.imageSize = static_cast<std::uint32_t>(needed);
    if (read.coloursUsed == 0 && bits <= 8)
        read.coloursUsed = static_cast<std::uint32_t>(colourCount);

    if (read.compression == BitmapBitFields) {
        if (!Inside(next, 12, size))
            return false;
        for (int i = 0; i < 3; ++i)
            read.masks[i] = Le32(data + next + 4 * i);
        next += headerSize > InfoHeaderSize ? headerSize - InfoHeaderSize : 12;
    } else {
        if (headerSize > InfoHeaderSize)
            next = headerStart + headerSize;
        const std::uint64_t entrySize = read.coreHeader ? 3 : 4;
        if (colourCount > size || !Inside(next, colourCount * entrySize, size))
            return false;
        read.colourCount = static_cast<int>(colourCount);
        for (std::uint64_t i = 0; i < colourCount && i < 256; ++i) {
            const std::uint8_t* entry = data + next + i * entrySize;
            for (std::uint64_t k = 0; k < 3; ++k)
                read.colours[i][k] = entry[k];
            read.colours[i][3] = read.coreHeader ? 0 : entry[3];
        }
        next += colourCount * entrySize;
    }

    const std::uint64_t pixels = fileHeader ? Le32(data + 10) : next;
    if (runLength) {
        // Without a size, the runs take the rest of the file.
        if (read.imageSize == 0 && pixels <= size)
            read.imageSize = static_cast<std::uint32_t>(size - pixels);
        if (!Inside(pixels, read.imageSize, size))
            return false;
        read.rows.assign(static_cast<std::size_t>(needed), 0);
        if (!DecodeRunLength(data + pixels, read.imageSize, bits, read.width, static_cast<int>(rows),
                             static_cast<std::size_t>(RowBytes(bits, read.width)), read.rows.data()))
            return false;
        read.compression = BitmapRgb;
        read.imageSize = static_cast<std::uint32_t>(needed);
        *picture = std::move(read);
        return true;
    }
    if (!Inside(pixels, read.imageSize, size) || !Inside(pixels, needed, size))
        return false;
    read.rows.assign(data + pixels, data + pixels + needed);
    *picture = std::move(read);
    return true;
}

std::size_t BitmapStride(const Bitmap& picture)
{
    return static_cast<std::size_t>(RowBytes(picture.bitsPerPixel, picture.width));
}

// One colour component of a bit-field pixel, scaled to 0..255: the mask's
// lowest run of set bits is the component.
static std::uint32_t MaskedComponent(std::uint32_t value, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = __builtin_ctz(mask);
    const std::uint32_t run = mask >> shift;
    const int width = run == 0xFFFFFFFFu ? 32 : __builtin_ctz(~run);
    const std::uint32_t part = (value & mask) >> shift;
    if (width >= 8)
        return part >> (width - 8);
    return part * 255u / ((1u << width) - 1u);
}

std::uint32_t BitmapPixel(const Bitmap& picture, int x, int y)
{
    const int rows = std::abs(picture.height);
    if (x < 0 || y < 0 || x >= picture.width || y >= rows)
        return 0;
    const std::size_t stride = BitmapStride(picture);
    const int stored = picture.height > 0 ? rows - 1 - y : y;
    const std::size_t start = static_cast<std::size_t>(stored) * stride;
    if (start + stride > picture.rows.size())
        return 0;
    const std::uint8_t* row = picture.rows.data() + start;
    const int bits = picture.bitsPerPixel;
    if (bits <= 8) {
        const int perByte = 8 / bits;
        const int shift = 8 - bits * (x % perByte + 1);
        const int index = (row[x / perByte] >> shift) & ((1 << bits) - 1);
        if (index >= picture.colourCount || index >= 256)
            return 0;
        const std::uint8_t* c = picture.colours[index];
        return (static_cast<std::uint32_t>(c[2]) << 16) | (c[1] << 8) | c[0];
    }
    if (bits == 24) {
        const std::uint8_t* p = row + 3 * x;
        return (static_cast<std::uint32_t>(p[2]) << 16) | (p[1] << 8) | p[0];
    }
    std::uint32_t value;
    std::uint32_t masks[3];
    if (bits == 16) {
        value = Le16(row + 2 * x);
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    } else {
        value = Le32(row + 4 * x);
        masks[0] = 0xFF0000;
        masks[1] = 0x00FF00;
        masks[2] = 0x0000FF;
    }
    if (picture.compression == BitmapBitFields)
        for (int i = 0; i < 3; ++i)
            masks[i] = picture.masks[i];
    return (MaskedComponent(value, masks[0]) << 16) | (MaskedComponent(value, masks[1]) << 8) |
           MaskedComponent(value, masks[2]);
}
