// Tests of tile-set loading: kinds by size, CellNo, the SetTag and the built-in fallback.
#include "display/tile_set.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/bmp_builder.h"

namespace {

// A 24-bit picture, grey everywhere, with an optional SetTag in its top-right frame.
std::vector<std::uint8_t> Picture(int width, int height, int tagFlags = -1)
{
    BmpRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    const char* text = "HANABO32";
    return MakeBmp(recipe, [=](int x, int y) -> std::uint32_t {
        const int fx = x - (width / 32 - 1) * 32;
        if (tagFlags >= 0 && fx >= 0 && y < 9 && y % 4 == 0) {
            const int byteIndex = (y / 4) * 4 + fx / 8;
            if (byteIndex < 10 && fx < 32) {
                const int byte = byteIndex < 8 ? text[byteIndex] : (byteIndex == 9 ? tagFlags : 0xFF);
                return ((byte >> (7 - fx % 8)) & 1) ? 0x010101u : 0u;
            }
        }
        return 0x808080;
    });
}

Bitmap BuiltIn()
{
    BmpRecipe recipe;
    recipe.width = 192;
    recipe.height = 64;
    recipe.bits = 8;
    recipe.palette.resize(256, 0x404040);
    Bitmap picture;
    const std::vector<std::uint8_t> bytes = MakeBmp(recipe, [](int, int) { return 3u; });
    ReadBitmap(bytes.data(), bytes.size(), &picture);
    return picture;
}

struct Loaded {
    TileSet set;
    TileSetInfo info;
    int cellNo;
    bool animBMPOption;
};

Loaded Load(const std::vector<std::uint8_t>& file, int cellNo = 5, bool animBMPOption = false)
{
    Loaded loaded;
    loaded.cellNo = cellNo;
    loaded.animBMPOption = animBMPOption;
    LoadTileSet(loaded.set, loaded.info, file.data(), file.size(), BuiltIn(), &loaded.cellNo, &loaded.animBMPOption);
    return loaded;
}

TEST(ClassifyTileSet, KindsFollowFromTheExactSize)
{
    struct Case {
        int width, height, kind, frameSize, frameCount, cellNoLimit;
    } cases[] = {
        {192, 64, TileSetPlain, 32, 0, 5},           {256, 128, TileSetRoad, 32, 0, 15},
        {96, 384, TileSetAnimated24, 24, 4, 5},      {24, 384, TileSetAnimated24, 24, 1, 5},
        {128, 352, TileSetAnimated32, 32, 4, 5},     {256, 672, TileSetTallAnimated32, 32, 8, 5},
    };
    for (const Case& c : cases) {
        TileSetShape shape;
        ASSERT_TRUE(ClassifyTileSet(c.width, c.height, &shape)) << c.width << "x" << c.height;
        EXPECT_EQ(shape.kind, c.kind);
        EXPECT_EQ(shape.frameSize, c.frameSize);
        EXPECT_EQ(shape.frameCount, c.frameCount);
        EXPECT_EQ(shape.cellNoLimit, c.cellNoLimit);
    }
    const int refused[][2] = {{100, 384}, {0, 384}, {-96, 384}, {192, -64}, {192, 65}, {130, 352}, {193, 64},
                              {100, 352}, {0, 672}};
    for (const auto& size : refused) {
        TileSetShape shape;
        EXPECT_FALSE(ClassifyTileSet(size[0], size[1], &shape)) << size[0] << "x" << size[1];
    }
}

TEST(LoadTileSet, RoadSetMakesFifteenValuesAndOthersLowerToFive)
{
    // (The shipped sets show that each loads as its kind.)
    Loaded road = Load(Picture(256, 128), 3);
    EXPECT_EQ(road.cellNo, 15);
    EXPECT_EQ(road.info.cellNoLimit, 15);
    EXPECT_EQ(Load(Picture(192, 64), 15).cellNo, 5);
    EXPECT_EQ(Load(Picture(192, 64), 3).cellNo, 3);
}

TEST(LoadTileSet, UnrecognisedOrMissingPicturesGiveTheBuiltInSet)
{
    const std::vector<std::uint8_t> none, broken = {'B', 'M', 1, 2, 3};
    for (const std::vector<std::uint8_t>& file : {Picture(100, 384), Picture(192, 63), broken, none}) {
        Loaded loaded = Load(file, 15);
        EXPECT_TRUE(loaded.set.loaded);
        EXPECT_TRUE(loaded.set.builtIn);
        EXPECT_EQ(loaded.info.kind, TileSetPlain);
        EXPECT_EQ(loaded.set.picture.width, 192);
        EXPECT_EQ(loaded.cellNo, 5);
        EXPECT_TRUE(loaded.set.hasPalette);  // the built-in picture has 256 colours
    }
}

TEST(LoadTileSet, SetTagSwitchesPingPongAndTheFirstFrameOption)
{
    struct Case {
        int width, height, tag;  // tag -1: none painted
        bool optionBefore;
        int kind;
        bool pingPong;
        int frameCount;
        bool optionAfter;
    } cases[] = {
        {128, 352, 0x40, false, TileSetAnimated32, true, 6, false},
        {128, 352, 0x80, false, TileSetAnimated32, false, 4, true},
        {128, 352, 0x00, true, TileSetAnimated32, false, 4, false},  // neither flag turns the option off
        {128, 352, -1, true, TileSetAnimated32, false, 4, true},     // no tag leaves it
        {128, 672, 0xC0, false, TileSetAnimated32, true, 6, true},   // the tall kind, played as Animated32, has it too
        {160, 672, -1, false, TileSetAnimated32, false, 5, false},
        {96, 384, 0xC0, false, TileSetAnimated24, false, 4, false},  // not read from Animated24 sets
        {32, 352, 0xC0, false, TileSetAnimated32, false, 1, true},   // one frame stays one frame
    };
    for (const Case& c : cases) {
        Loaded loaded = Load(Picture(c.width, c.height, c.tag), 5, c.optionBefore);
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " tag " + std::to_string(c.tag));
        EXPECT_EQ(loaded.info.kind, c.kind);
        EXPECT_EQ(loaded.info.pingPong, c.pingPong);
        EXPECT_EQ(loaded.info.frameCount, c.frameCount);
        EXPECT_EQ(loaded.animBMPOption, c.optionAfter);
        EXPECT_FALSE(loaded.set.hasPalette);   // 24 bits a pixel
    }
}

TEST(LoadTileSet, UntaggedSetAfterATaggedOneHasPingPongOff)
{
    TileSet set;
    TileSetInfo info;
    int cellNo = 5;
    bool option = false;
    const std::vector<std::uint8_t> tagged = Picture(128, 352, 0x40), plain = Picture(128, 352);
    LoadTileSet(set, info, tagged.data(), tagged.size(), BuiltIn(), &cellNo, &option);
    ASSERT_TRUE(info.pingPong);
    LoadTileSet(set, info, plain.data(), plain.size(), BuiltIn(), &cellNo, &option);
    EXPECT_FALSE(info.pingPong);
    EXPECT_EQ(info.frameCount, 4);
}

TEST(BitmapChangeOutcome, NewGameOnlyOnFirstLoadAndBetweenRoadAndOtherSets)
{
    EXPECT_TRUE(BitmapChangeOutcome(TileSetNone, TileSetPlain).newGame);
    EXPECT_TRUE(BitmapChangeOutcome(TileSetNone, TileSetRoad).newGame);
    EXPECT_FALSE(BitmapChangeOutcome(TileSetRoad, TileSetRoad).newGame);
    EXPECT_FALSE(BitmapChangeOutcome(TileSetPlain, TileSetAnimated32).newGame);
    EXPECT_FALSE(BitmapChangeOutcome(TileSetAnimated24, TileSetPlain).newGame);

    const BitmapOutcome leaveRoad = BitmapChangeOutcome(TileSetRoad, TileSetPlain);
    EXPECT_TRUE(leaveRoad.newGame);
    EXPECT_TRUE(leaveRoad.resetCellNo);
    const BitmapOutcome toRoad = BitmapChangeOutcome(TileSetAnimated32, TileSetRoad);
    EXPECT_TRUE(toRoad.newGame);
    EXPECT_FALSE(toRoad.resetCellNo);
}

}  // namespace
