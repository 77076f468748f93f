// Tests of the committed pictures: the generator rebuilds them byte for byte, and each has the form the game needs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "display/bitmap.h"
#include "display/tile_set.h"
#include "tests/file_helpers.h"

namespace fs = std::filesystem;

const fs::path Resources = fs::path(__FILE__).parent_path().parent_path() / "resources";

static const std::uint8_t* Data(const std::string& bytes)
{
    return reinterpret_cast<const std::uint8_t*>(bytes.data());
}

static Bitmap ReadPicture(const fs::path& path)
{
    const std::string bytes = Slurp(path.string());
    Bitmap picture;
    EXPECT_TRUE(ReadBitmap(Data(bytes), bytes.size(), &picture)) << path;
    return picture;
}

const char* const PictureFiles[] = {
    "tiles.bmp", "baricons.bmp", "toolbar.bmp", "hanabo.ico",
    "browser/cdrom.bmp", "browser/removable.bmp", "browser/fixed.bmp", "browser/folder.bmp", "browser/ramdisk.bmp",
    "browser/removable_open.bmp", "browser/fixed_open.bmp", "browser/network.bmp", "browser/folder_open.bmp",
    "ship/Road.bmp", "ship/Marbles24.bmp", "ship/Jewels32.bmp", "ship/Billiards32.bmp", "ship/Shapes.bmp",
};

TEST(Pictures, GeneratorRebuildsTheCommittedFilesByteForByte)
{
    // The tests run in the build folder, where make-pictures is built too.
    ASSERT_TRUE(fs::exists("make-pictures")) << "make-pictures is not built";
    const fs::path out = TempPath("pictures");
    fs::remove_all(out);
    const std::string command = "./make-pictures '" + out.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name : PictureFiles) {
        const std::string made = Slurp((out / name).string()), committed = Slurp((Resources / name).string());
        EXPECT_FALSE(made.empty()) << name;
        EXPECT_TRUE(made == committed) << name << " differs from what make-pictures draws";
    }
    // every shipped picture comes from the generator
    for (const auto& entry : fs::directory_iterator(Resources / "ship")) {
        if (entry.path().extension() == ".bmp") {
            EXPECT_TRUE(fs::exists(out / "ship" / entry.path().filename())) << entry.path();
        }
    }
    fs::remove_all(out);
}

TEST(Pictures, BuiltInPicturesAndTheIconHaveTheirSizesAndColourCounts)
{
    const struct {
        const char* name;
        int width, height, colours;
    } pictures[] = {{"tiles.bmp", 192, 64, 256}, {"baricons.bmp", 60, 20, 16}, {"toolbar.bmp", 96, 16, 16}};
    for (const auto& p : pictures) {
        const Bitmap picture = ReadPicture(Resources / p.name);
        EXPECT_EQ((std::vector<int>{picture.width, picture.height, picture.colourCount}),
                  (std::vector<int>{p.width, p.height, p.colours}))
            << p.name;
    }
    const Bitmap toolbar = ReadPicture(Resources / "toolbar.bmp");
    // the silver entry that the program turns into the button face, and the
    // corner of every image shows it
    bool silver = false;
    for (int i = 0; i < 16; ++i)
        silver |= toolbar.colours[i][0] == 192 && toolbar.colours[i][1] == 192 && toolbar.colours[i][2] == 192;
    EXPECT_TRUE(silver);
    for (int image = 0; image < 6; ++image)
        EXPECT_EQ(BitmapPixel(toolbar, image * 16 + 15, 15), 0xC0C0C0u) << image;

    // The icon has a large and a small image.
    const std::string icon = Slurp((Resources / "hanabo.ico").string());
    ASSERT_GE(icon.size(), 6u + 32u);
    EXPECT_EQ(icon[2], 1);  // an icon, not a cursor
    ASSERT_EQ(icon[4], 2);
    EXPECT_EQ(icon[6], 32);
    EXPECT_EQ(icon[6 + 16], 16);
}

TEST(Pictures, BuiltInBallsStandOnTheBlankTileAndHighlightsDiffer)
{
    const Bitmap tiles = ReadPicture(Resources / "tiles.bmp");
    for (int t = 1; t <= 5; ++t) {
        // the corners of every tile are the wall of the blank tile
        EXPECT_EQ(BitmapPixel(tiles, 32 * t, 0), BitmapPixel(tiles, 0, 0)) << t;
        const std::uint32_t plain = BitmapPixel(tiles, 32 * t + 16, 16);
        const std::uint32_t marked = BitmapPixel(tiles, 32 * t + 16, 48);
        EXPECT_NE(plain, marked) << t;
        // a black streak below the centre of the highlighted ball
        EXPECT_EQ(BitmapPixel(tiles, 32 * t + 16, 32 + 16 + 5), 0u) << t;
    }
}

TEST(Pictures, ShippedSetsAreOfEveryKind)
{
    struct Case {
        const char* name;
        int kind;
        int frameCount;  // after the SetTag
        bool pingPong;
    } cases[] = {
        {"ship/Road.bmp", TileSetRoad, 0, false},           {"ship/Marbles24.bmp", TileSetAnimated24, 8, false},
        {"ship/Jewels32.bmp", TileSetAnimated32, 14, true}, {"ship/Billiards32.bmp", TileSetAnimated32, 8, false},
        {"ship/Shapes.bmp", TileSetPlain, 0, false},
    };
    for (const Case& c : cases) {
        const std::string bytes = Slurp((Resources / c.name).string());
        TileSet set;
        TileSetInfo info;
        int cellNo = 5;
        bool option = true;
        LoadTileSet(set, info, Data(bytes), bytes.size(), Bitmap(), &cellNo, &option);
        EXPECT_FALSE(set.builtIn) << c.name;
        EXPECT_EQ(info.kind, c.kind) << c.name;
        EXPECT_EQ(info.frameCount, c.frameCount) << c.name;
        EXPECT_EQ(info.pingPong, c.pingPong) << c.name;
        EXPECT_EQ(cellNo, c.kind == TileSetRoad ? 15 : 5) << c.name;
        if (c.pingPong) {
            EXPECT_FALSE(option) << c.name;  // the tag leaves the first frame in
        }
    }
    TileSetShape tall;
    const Bitmap billiards = ReadPicture(Resources / "ship/Billiards32.bmp");
    ASSERT_TRUE(ClassifyTileSet(billiards.width, billiards.height, &tall));
    EXPECT_EQ(tall.kind, TileSetTallAnimated32);
}


TEST(BoardPicture, DrawsTheSavedBoardWithTheBuiltInTiles)
{
    ASSERT_TRUE(fs::exists("board-picture")) << "board-picture is not built";
    const fs::path dir = TempPath("board");
    fs::create_directories(dir);
    // 8 × 6 tiles of 32 pixels: every row 1 2 3 4 5 0 1 2
    std::string text = "(null)\r\n32\r\n0\r\n";
    for (int row = 0; row < 6; ++row)
        text += "12345012\r\n";
    std::ofstream(dir / "game.tgw", std::ios::binary) << text;
    const std::string command = "./board-picture '" + (dir / "game.tgw").string() + "' '" + (dir / "out.bmp").string() +
                                "' '" + (Resources / "tiles.bmp").string() + "' '" +
                                (Resources / "baricons.bmp").string() + "' --toolbar 28 --score-bar 20";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const Bitmap out = ReadPicture(dir / "out.bmp");
    const Bitmap tiles = ReadPicture(Resources / "tiles.bmp");
    EXPECT_EQ(out.width, 8 * 32 + 4);
    EXPECT_EQ(out.height, 6 * 32 + 4 + 28 + 20 + 24);
    const int boardTop = 30;
    for (int column = 0; column < 8; ++column) {
        const int value = (column + 1) % 6;  // 1 2 3 4 5 0 1 2
        for (int y = 0; y < 32; y += 7)
            for (int x = 0; x < 32; x += 7)
                EXPECT_EQ(BitmapPixel(out, 2 + 32 * column + x, boardTop + 32 * 5 + y), BitmapPixel(tiles, 32 * value + x, y))
                    << column;
    }
    EXPECT_EQ(BitmapPixel(out, 1, boardTop + 10), 0u);  // the sunken frame's dark left edge
    fs::remove_all(dir);
}

