// Reading Windows .bmp pictures from bytes in memory, safely, and reading their pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Largest width or height we accept; real tile pictures are far smaller.
constexpr int BitmapMaxSide = 32768;
// Most pixels we accept: the widest tall animated tile set, 32768 x 672. A
// run-length picture is expanded in memory, so without this a file of a few
// bytes could ask for a gigabyte.
constexpr std::uint64_t BitmapMaxPixels = 32768u * 672u;

// A picture as the .bmp reader leaves it: the fields of the 40-byte bitmap
// information header, the colour table and the pixel rows as stored
// (bottom-up unless the height is negative, each row padded to 4 bytes).
struct Bitmap {
    int width = 0;
    int height = 0;                 // as stored; negative for a top-down picture
    int planes = 0;
    int bitsPerPixel = 0;           // 1, 4, 8, 16, 24 or 32
    std::uint32_t compression = 0;  // BitmapRgb or BitmapBitFields (run-length pictures are expanded)
    std::uint32_t imageSize = 0;    // bytes of pixel rows, filled in when the file had 0
    std::uint32_t coloursUsed = 0;  // filled in with the colour count for 8 bits or fewer
    int colourCount = 0;            // entries of the colour table in the file
    std::uint8_t colours[256][4] = {};  // blue, green, red, flags: the first 256 entries
    std::uint32_t masks[3] = {};    // red, green, blue masks of a bit-field picture
    bool coreHeader = false;        // the file had the old 12-byte header
    std::vector<std::uint8_t> rows; // exactly the pixel rows the picture needs
};

constexpr std::uint32_t BitmapRgb = 0;
constexpr std::uint32_t BitmapRle8 = 1;
constexpr std::uint32_t BitmapRle4 = 2;
constexpr std::uint32_t BitmapBitFields = 3;

// Reads a whole .bmp file (with or without its 14-byte file header), expanding
// run-length pixels. Refuses, leaving *picture untouched, anything it cannot
// read whole: short data, unknown header sizes or compressions, absurd sizes
// (more than BitmapMaxPixels),
// and offsets or sizes that point outside the data.
bool ReadBitmap(const std::uint8_t* data, std::size_t size, Bitmap* picture);

// Bytes of one stored pixel row.
std::size_t BitmapStride(const Bitmap& picture);

// Colour of the pixel at (x, y), y counted from the top of the picture, as
// 0x00RRGGBB; black outside the picture and for colour indices beyond the table.
std::uint32_t BitmapPixel(const Bitmap& picture, int x, int y);
