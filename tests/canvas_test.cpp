// Tests of the TileCanvas regions, the cell-source table and what painting draws where.
#include "display/board_picture.h"
#include "display/canvas.h"
#include "display/painting.h"

#include <gtest/gtest.h>

#include "tests/bmp_builder.h"

namespace {

const std::uint32_t Face = 0xC0C0C0;

// The colour every pixel of frame (band, frame) has in the test pictures.
std::uint32_t FrameColour(int band, int frame) { return static_cast<std::uint32_t>(0x100000 + band * 0x100 + frame); }

// A tile set whose frames are each one solid colour, loaded as its kind.
struct SolidSet {
    TileSet set;
    TileSetInfo info;
};

SolidSet SolidFrames(int width, int height, int frameSize)
{
    BmpRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    const std::vector<std::uint8_t> bytes =
        MakeBmp(recipe, [=](int x, int y) { return FrameColour(y / frameSize, x / frameSize); });
    SolidSet solid;
    int cellNo = 5;
    bool option = false;
    LoadTileSet(solid.set, solid.info, bytes.data(), bytes.size(), Bitmap(), &cellNo, &option);
    return solid;
}

Bitmap BarIcons()
{
    BmpRecipe recipe;
    recipe.width = 60;
    recipe.height = 20;
    const std::vector<std::uint8_t> bytes = MakeBmp(recipe, [](int x, int) { return x < 20 ? 0x00AA00u : 0x0000AAu; });
    Bitmap picture;
    ReadBitmap(bytes.data(), bytes.size(), &picture);
    return picture;
}

struct Canvas {
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(CanvasWidth * CanvasHeight, Face);
    TileCanvas canvas;
    Canvas() { canvas.pixels = pixels.data(); }
    std::uint32_t At(int x, int y) const { return pixels[y * CanvasWidth + x]; }
    // true when the whole rectangle has one colour
    bool Solid(CanvasRect r, std::uint32_t colour) const
    {
        for (int y = r.y; y < r.y + r.height; ++y)
            for (int x = r.x; x < r.x + r.width; ++x)
                if (At(x, y) != colour)
                    return false;
        return true;
    }
};

CanvasRect Square(int x, int y, int side) { return CanvasRect{x, y, side, side}; }

TEST(Canvas, PlainSetIsStretchedWholeToTheTileSize)
{
    const SolidSet solid = SolidFrames(192, 64, 32);
    for (int ts : {4, 16, 32, 48}) {
        Canvas c;
        PaintTileSetIntoCanvas(c.canvas, solid.set, solid.info.kind, ts, 0, BarIcons());
        for (int n = 0; n <= 5; ++n) {
            EXPECT_TRUE(c.Solid(Square(n * ts, 0, ts), FrameColour(0, n))) << ts << " tile " << n;
            EXPECT_TRUE(c.Solid(Square(n * ts, ts, ts), FrameColour(1, n))) << ts << " highlighted " << n;
        }
        EXPECT_EQ(c.At(6 * ts, 0), Face);
        for (int i = 0; i < 5; ++i)
            EXPECT_TRUE(c.Solid(LegendIconSource(i), FrameColour(0, i + 1))) << i;
        EXPECT_TRUE(c.Solid(HandIconSource(), 0x00AA00));
        EXPECT_TRUE(c.Solid(ScoreLabelSource(), 0x0000AA));
    }
}

TEST(Canvas, RoadSetAtTileSize64FillsTheCanvasTop)
{
    const SolidSet solid = SolidFrames(256, 128, 32);
    Canvas c;
    PaintTileSetIntoCanvas(c.canvas, solid.set, solid.info.kind, 64, 0, BarIcons());
    for (int n = 0; n < 16; ++n) {
        EXPECT_TRUE(c.Solid(CellSource(TileSetRoad, n, 64), FrameColour(n / 8, n % 8))) << n;
        EXPECT_TRUE(c.Solid(CellSource(TileSetRoad, n | 0x20, 64), FrameColour(2 + n / 8, n % 8))) << n;
    }
    // the one legend icon is the crossing, tile 15
    EXPECT_TRUE(c.Solid(LegendIconSource(0), FrameColour(1, 7)));
    EXPECT_TRUE(c.Solid(LegendIconSource(1), Face));
}

// Tile t is band bands x t + tile of an animated set, its legend icon band
// bands x t + legend: Animated24 shows its selection band in the legend.
TEST(Canvas, AnimatedSetsTakeStillPicturesForTheTilesAndTheLegend)
{
    const struct {
        int width, height, frameSize, ts, bands, tile, legend;
    } sets[] = {{96, 384, 24, 16, 3, -2, -1}, {128, 352, 32, 32, 2, -1, -1}};
    for (const auto& set : sets) {
        const SolidSet solid = SolidFrames(set.width, set.height, set.frameSize);
        Canvas c;
        PaintTileSetIntoCanvas(c.canvas, solid.set, solid.info.kind, set.ts, 0, BarIcons());
        EXPECT_TRUE(c.Solid(Square(0, 0, set.ts), FrameColour(0, 0)));
        for (int t = 1; t <= 5; ++t) {
            EXPECT_TRUE(c.Solid(Square(t * set.ts, 0, set.ts), FrameColour(set.bands * t + set.tile, 0))) << t;
            EXPECT_TRUE(c.Solid(LegendIconSource(t - 1), FrameColour(set.bands * t + set.legend, 0))) << t;
        }
    }
}

// BlankCell band x 100 + frame picks the blank tile among the animations;
// nothing is drawn beyond the last frame or band.
TEST(Canvas, BlankCellPicksAFrameOfABand)
{
    const SolidSet solid = SolidFrames(128, 352, 32);
    Canvas c;
    BuildTilePictures(c.canvas, solid.set, solid.info.kind, 32, 203);   // tile 1's vanishing animation
    EXPECT_TRUE(c.Solid(Square(0, 0, 32), FrameColour(2, 3)));
    BuildTilePictures(c.canvas, solid.set, solid.info.kind, 32, 4);
    BuildTilePictures(c.canvas, solid.set, solid.info.kind, 32, 1100);
    EXPECT_TRUE(c.Solid(Square(0, 0, 32), FrameColour(2, 3)));

    // The tall set reaches its extra blank tiles.
    const SolidSet tall = SolidFrames(64, 672, 32);
    ASSERT_EQ(tall.info.kind, TileSetAnimated32);
    BuildTilePictures(c.canvas, tall.set, tall.info.kind, 16, 2001);
    EXPECT_TRUE(c.Solid(Square(0, 0, 16), FrameColour(20, 1)));
    BuildTilePictures(c.canvas, tall.set, tall.info.kind, 16, 2101);   // band 21 does not exist
    EXPECT_TRUE(c.Solid(Square(0, 0, 16), FrameColour(20, 1)));
}

TEST(Canvas, StretchRefusesSourcesOutsideThePictureAndClipsTargets)
{
    const SolidSet solid = SolidFrames(192, 64, 32);
    Canvas c;
    EXPECT_FALSE(StretchToCanvas(c.canvas, solid.set.picture, Square(180, 0, 32), Square(0, 0, 32)));
    EXPECT_FALSE(StretchToCanvas(c.canvas, solid.set.picture, Square(-1, 0, 32), Square(0, 0, 32)));
    EXPECT_TRUE(c.Solid(Square(0, 0, 32), Face));
    EXPECT_TRUE(StretchToCanvas(c.canvas, solid.set.picture, Square(32, 32, 32), Square(500, 290, 64)));
    EXPECT_TRUE(c.Solid(Square(500, 290, 6), FrameColour(1, 1)));
}

TEST(Canvas, ShrinkingAveragesThePixelsItCovers)
{
    BmpRecipe recipe;
    recipe.width = 4;
    recipe.height = 4;
    const std::vector<std::uint8_t> bytes =
        MakeBmp(recipe, [](int x, int y) { return (x + y) % 2 == 0 ? 0xFFFFFFu : 0x000000u; });
    Bitmap checks;
    ASSERT_TRUE(ReadBitmap(bytes.data(), bytes.size(), &checks));
    Canvas c;
    StretchToCanvas(c.canvas, checks, Square(0, 0, 4), Square(0, 0, 2));
    EXPECT_EQ(c.At(0, 0), 0x808080u);
    EXPECT_EQ(c.At(1, 1), 0x808080u);
}

TEST(Painting, PaintRequestCellRange)
{
    const struct {
        int left, top, right, bottom;
        std::vector<int> columnsThenRows;   // first and end of each
    } cases[] = {
        {0, 0, 100, 30, {0, 5, 0, 2}},        // only the toolbar area: rows 0 and 1 of the columns it covers
        {0, 0, 2000, 2000, {0, 16, 0, 12}},   // never past the last column or row
        {100, 200, 164, 264, {2, 7, 4, 9}},
    };
    for (const auto& c : cases) {
        const CellRange r = PaintCellRange(c.left, c.top, c.right, c.bottom, 32, 30, 16, 12);
        EXPECT_EQ((std::vector<int>{r.firstColumn, r.endColumn, r.firstRow, r.endRow}), c.columnsThenRows) << c.left;
    }
}

TEST(Painting, LegendWithThreeTileValues)
{
    int edges[ScoreBarFields];
    ScoreBarEdges(540, edges);  // step 60
    const Legend legend = BarLegend(TileSetPlain, 3, edges, 30, 12, 32, 516);
    const int y0 = 30 + 12 * 32 + 4;
    EXPECT_EQ(legend.strip, (CanvasRect{0, y0 - 1, 516, 24}));
    ASSERT_EQ(legend.count, 5);
    const int xs[] = {4, 64, 124};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(legend.pictures[i].source, LegendIconSource(i));
        EXPECT_EQ(legend.pictures[i].x, xs[i]);
        EXPECT_EQ(legend.pictures[i].y, y0);
        EXPECT_EQ(legend.pictures[i].outline, (CanvasRect{xs[i] - 1, y0 - 1, 21, 21}));
    }
    EXPECT_EQ(legend.pictures[3].source, HandIconSource());
    EXPECT_EQ(legend.pictures[3].x, 304);
    EXPECT_EQ(legend.pictures[4].source, ScoreLabelSource());
    EXPECT_EQ(legend.pictures[4].x, 364);
    EXPECT_EQ(legend.pictures[4].outline, (CanvasRect{363, y0 - 1, 41, 21}));

    const Legend road = BarLegend(TileSetRoad, 15, edges, 0, 12, 32, 516);
    ASSERT_EQ(road.count, 3);
    EXPECT_EQ(road.pictures[0].x, 4);
    EXPECT_EQ(road.pictures[0].source, LegendIconSource(0));
}

TEST(RenderClientArea, FrameCellsAndLegendLandWherePaintingPutsThem)
{
    const SolidSet solid = SolidFrames(192, 64, 32);
    Canvas c;
    PaintTileSetIntoCanvas(c.canvas, solid.set, solid.info.kind, 16, 0, BarIcons());
    const unsigned char cells[] = {1, 2, 0, 0x23, 5, 4};  // 3 columns, 2 rows
    BoardView view;
    view.kind = TileSetPlain;
    view.cellNo = 5;
    view.cells = cells;
    view.columns = 3;
    view.rows = 2;
    view.ts = 16;
    view.boardTop = 10;
    view.scoreBar = true;
    ScoreBarEdges(300, view.edges);
    view.face = Face;
    ClientPicture picture;
    RenderClientArea(c.canvas, view, 52, 80, &picture);
    auto at = [&](int x, int y) { return picture.pixels[y * picture.width + x]; };
    // sunken frame: dark left and top, light right and bottom
    EXPECT_EQ(at(1, 20), 0x000000u);
    EXPECT_EQ(at(20, 9), 0x000000u);
    EXPECT_EQ(at(50, 20), 0xFFFFFFu);
    EXPECT_EQ(at(20, 42), 0xFFFFFFu);
    EXPECT_EQ(at(1, 42), 0x000000u);   // the first line starts at the bottom-left corner
    EXPECT_EQ(at(50, 9), 0xFFFFFFu);   // the light pen starts at the top-right corner
    // cells: (column 1, row 0) holds 2; (column 0, row 1) is highlighted 3
    EXPECT_EQ(at(2 + 16 + 5, 10 + 5), FrameColour(0, 2));
    EXPECT_EQ(at(2 + 5, 10 + 16 + 5), FrameColour(1, 3));
    EXPECT_EQ(at(2 + 32 + 5, 10 + 5), FrameColour(0, 0));  // empty: the blank tile
    // first legend icon at (4, boardTop + rows × ts + 4)
    EXPECT_EQ(at(4, 10 + 32 + 4), FrameColour(0, 1));
    EXPECT_EQ(at(3, 10 + 32 + 3), 0xFFFFFFu);  // its raised outline
}

}  // namespace
