// Tests of the .bmp reader: every header form it must read, and malformed files it must refuse.
#include "display/bitmap.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/bmp_builder.h"

const std::vector<std::uint32_t> FourColours = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

// A 7 × 5 picture whose pixel (x, y) has palette index (x + 2y) mod 4.
static std::uint32_t Index(int x, int y) { return static_cast<std::uint32_t>((x + 2 * y) % 4); }

static BmpRecipe Paletted(int bits)
{
    BmpRecipe recipe;
    recipe.width = 7;
    recipe.height = 5;
    recipe.bits = bits;
    recipe.palette = FourColours;
    return recipe;
}

static bool Read(const std::vector<std::uint8_t>& bytes, Bitmap* picture)
{
    return ReadBitmap(bytes.data(), bytes.size(), picture);
}

// Every depth of palette, and every header form: a core header has no colour
// count, its table always has 2^bits entries of three bytes; later header
// versions keep their table after the whole header. A zero image size and
// colour count are filled in.
TEST(ReadBitmap, PalettedPicturesOfEveryDepthAndHeaderFormReadTopRowFirst)
{
    const struct {
        int headerSize;
        bool fileHeader;
        bool sizesWritten;
        int bits;
        std::size_t colours;
    } forms[] = {
        {40, true, true, 1, 2},  {40, true, true, 4, 4},    {40, false, true, 8, 4}, {12, true, true, 4, 16},
        {12, false, true, 4, 16}, {124, true, true, 8, 4}, {40, true, false, 8, 256},
    };
    for (const auto& form : forms) {
        SCOPED_TRACE(testing::Message() << form.bits << " bits, header " << form.headerSize
                                        << (form.fileHeader ? " with" : " without") << " file header");
        BmpRecipe recipe = Paletted(form.bits);
        recipe.palette.resize(form.colours, 0x808080);
        recipe.headerSize = form.headerSize;
        recipe.fileHeader = form.fileHeader;
        recipe.writeImageSize = form.sizesWritten;
        recipe.writeColoursUsed = form.sizesWritten;
        const std::uint32_t used = form.colours < 4 ? static_cast<std::uint32_t>(form.colours) : 4;
        Bitmap picture;
        ASSERT_TRUE(Read(MakeBmp(recipe, [&](int x, int y) { return Index(x, y) % used; }), &picture));
        ASSERT_EQ(picture.width, 7);
        ASSERT_EQ(picture.height, 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                EXPECT_EQ(BitmapPixel(picture, x, y), FourColours[Index(x, y) % used]) << x << "," << y;
        EXPECT_EQ(picture.coreHeader, form.headerSize == 12);
        EXPECT_EQ(picture.colourCount, static_cast<int>(form.colours));
        EXPECT_EQ(picture.imageSize, (form.bits * 7u + 31) / 32 * 4 * 5);   // rows padded to 4 bytes
    }
}

TEST(ReadBitmap, TrueColourAndBitFieldPictures)
{
    auto colour = [](int x, int y) { return static_cast<std::uint32_t>((x * 40) << 16 | (y * 50) << 8 | 0x18); };
    BmpRecipe recipe;
    recipe.width = 5;
    recipe.height = 3;
    for (int bits : {24, 32}) {
        recipe.bits = bits;
        Bitmap picture;
        ASSERT_TRUE(Read(MakeBmp(recipe, colour), &picture));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(BitmapPixel(picture, x, y), colour(x, y));
    }
    recipe.bits = 16;
    for (int header : {40, 124}) {
        recipe.headerSize = header;
        Bitmap picture;
        ASSERT_TRUE(Read(MakeBmp(recipe, [](int, int) { return 0xF8FC00u; }), &picture)) << header;
        EXPECT_EQ(picture.compression, BitmapBitFields);
        EXPECT_EQ(BitmapPixel(picture, 4, 2), 0xFFFF00u);  // full red and green, no blue
    }
}

TEST(ReadBitmap, TopDownPictureReadsButKeepsItsNegativeHeight)
{
    std::vector<std::uint8_t> bytes = MakeBmp(Paletted(8), Index);
    // turn the stored height negative and the rows upside down
    const std::uint32_t negative = static_cast<std::uint32_t>(-5);
    for (int i = 0; i < 4; ++i)
        bytes[22 + i] = static_cast<std::uint8_t>(negative >> (8 * i));
    Bitmap picture;
    ASSERT_TRUE(Read(bytes, &picture));
    EXPECT_EQ(picture.height, -5);
    EXPECT_EQ(BitmapPixel(picture, 0, 0), FourColours[Index(0, 4)]);
}

// Overwrites a little-endian field of the 40-byte header (offset counted
// from the start of that header) in a file with a file header.
static std::vector<std::uint8_t> WithField(std::vector<std::uint8_t> bytes, int offset, std::uint32_t value,
                                           int size = 4)
{
    for (int i = 0; i < size; ++i)
        bytes.at(14 + offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
}

TEST(ReadBitmap, MalformedOrCutFilesAreRefusedAndLeaveThePictureAlone)
{
    const std::vector<std::uint8_t> good = MakeBmp(Paletted(8), Index);
    Bitmap read;
    ASSERT_TRUE(Read(good, &read));
    std::vector<std::vector<std::uint8_t>> bad = {
        WithField(good, 0, 20),                  // unknown header size
        WithField(good, 0, 0x7FFFFFFF),          // header larger than the file
        WithField(good, 4, 0),                   // no width
        WithField(good, 4, 0x80000000u),         // negative width
        WithField(good, 4, 1000000),             // absurd width, rows beyond the file
        WithField(good, 8, 0),                   // no height
        WithField(good, 8, 0x7FFFFFFF),          // absurd height
        WithField(good, 14, 7, 2),               // 7 bits a pixel
        WithField(good, 14, 0, 2),               // 0 bits a pixel
        WithField(good, 16, 4),                  // a JPEG inside
        WithField(good, 16, 2),                  // 4-bit runs on an 8-bit picture
        WithField(good, 16, 3),                  // bit fields on an 8-bit picture
        WithField(good, 20, 0x7FFFFFFF),         // image size beyond the file
        WithField(good, 32, 0x40000000),         // colour table beyond the file
        WithField(good, 32, 0xFFFFFFFF),         // colour count that overflows
    };
    std::vector<std::uint8_t> farOffset = good;
    farOffset[10] = 0xFF;
    farOffset[11] = 0xFF;
    bad.push_back(farOffset);  // pixel rows past the end
    for (std::size_t size = 0; size < good.size(); ++size)
        bad.emplace_back(good.begin(), good.begin() + size);
    for (std::size_t i = 0; i < bad.size(); ++i) {
        Bitmap picture;
        picture.width = 99;
        EXPECT_FALSE(Read(bad[i], &picture)) << i;
        EXPECT_EQ(picture.width, 99) << i;
    }
}

TEST(BitmapPixel, OutsideThePictureAndBeyondTheTableIsBlack)
{
    BmpRecipe recipe = Paletted(8);
    recipe.palette = {0xFFFFFF, 0x123456};
    Bitmap picture;
    ASSERT_TRUE(Read(MakeBmp(recipe, [](int x, int) { return static_cast<std::uint32_t>(x == 0 ? 1 : 200); }), &picture));
    EXPECT_EQ(BitmapPixel(picture, 0, 0), 0x123456u);
    for (const auto& at : {std::make_pair(1, 0), std::make_pair(-1, 0), std::make_pair(7, 0), std::make_pair(0, 5)})
        EXPECT_EQ(BitmapPixel(picture, at.first, at.second), 0u) << at.first << "," << at.second;
}

// A 40-byte-header file whose pixels are the given runs.
static std::vector<std::uint8_t> RunLengthFile(int width, int height, int bits, const std::vector<std::uint8_t>& runs)
{
    BmpRecipe recipe = Paletted(bits);
    recipe.width = width;
    recipe.height = height;
    recipe.palette = FourColours;
    std::vector<std::uint8_t> bytes = MakeBmp(recipe, [](int, int) { return 0u; });
    const std::size_t offset = 14 + 40 + 4 * FourColours.size();
    bytes.resize(offset);
    bytes.insert(bytes.end(), runs.begin(), runs.end());
    bytes = WithField(bytes, 16, bits == 8 ? 1 : 2);
    return WithField(bytes, 20, static_cast<std::uint32_t>(runs.size()));
}

TEST(ReadBitmap, RunLengthPicturesAreExpanded)
{
    // bottom row: four of colour 1; middle row: 0 1 2 3 as literal pixels;
    // top row: a jump of two, then two of colour 3; then the end
    const std::vector<std::uint8_t> rle8 = {4, 1, 0, 0, 0, 4, 0, 1, 2, 3, 0, 0, 0, 2, 2, 0, 2, 3, 0, 1};
    Bitmap picture;
    ASSERT_TRUE(Read(RunLengthFile(4, 3, 8, rle8), &picture));
    // the same picture in 4-bit runs: literal pixels come two to a byte
    const std::vector<std::uint8_t> rle4 = {4, 0x11, 0, 0, 0, 4, 0x01, 0x23, 0, 0, 0, 2, 2, 0, 2, 0x33, 0, 1};
    Bitmap picture4;
    ASSERT_TRUE(Read(RunLengthFile(4, 3, 4, rle4), &picture4));
    const std::uint32_t expected[3][4] = {{0, 0, 3, 3}, {0, 1, 2, 3}, {1, 1, 1, 1}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(BitmapPixel(picture, x, y), FourColours[expected[y][x]]) << x << "," << y;
            EXPECT_EQ(BitmapPixel(picture4, x, y), FourColours[expected[y][x]]) << x << "," << y;
        }
}

TEST(ReadBitmap, RunsBeyondThePictureAreDroppedAndCutRunsRefused)
{
    // a run longer than the row, then a jump far beyond the edges, which ends
    // the picture before the data does
    const std::vector<std::uint8_t> wild = {200, 2, 0, 2, 255, 255, 0, 2, 255, 0, 5, 1, 0, 0};
    Bitmap picture;
    ASSERT_TRUE(Read(RunLengthFile(4, 3, 8, wild), &picture));
    EXPECT_EQ(BitmapPixel(picture, 3, 2), FourColours[2]);
    EXPECT_EQ(BitmapPixel(picture, 0, 0), FourColours[0]);
    const std::vector<std::uint8_t> cut = {0, 6, 1, 2};
    EXPECT_FALSE(Read(RunLengthFile(4, 3, 8, cut), &picture));
}

TEST(ReadBitmap, RunLengthPicturesLargerThanAnyTileSetAreRefused)
{
    // A few bytes of runs once asked for a gigabyte of pixels; the widest
    // tall animated tile set is still read.
    auto sized = [](int bits, std::uint32_t width, std::uint32_t height) {
        return WithField(WithField(RunLengthFile(4, 3, bits, {0, 1}), 4, width), 8, height);
    };
    Bitmap picture;
    EXPECT_FALSE(Read(sized(8, 32768, 32768), &picture));
    EXPECT_FALSE(Read(sized(4, 32768, 673), &picture));
    ASSERT_TRUE(Read(sized(4, 32768, 672), &picture));
    EXPECT_EQ(picture.rows.size(), 16384u * 672u);
}

