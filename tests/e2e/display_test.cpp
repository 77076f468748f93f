// The board on the screen: screenshots of the client area checked pixel for
// pixel against the picture board-picture draws for the dealt board, the
// window's layout around it, and the animations of an animated tile set.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "display/bitmap.h"
#include "resources/resource.h"
#include "tests/e2e/game_window.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/sheet.h"

namespace {

// Pixels 0x00RRGGBB, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The client area of a window as it is on the screen.
Picture ClientShot(HWND window)
{
    Picture shot;
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    shot.width = client.right - client.left;
    shot.height = client.bottom - client.top;
    shot.pixels = ScreenPixels(client);
    return shot;
}

// A .bmp file read with the program's own reader.
bool ReadPicture(const std::string& path, Picture* picture)
{
    std::string bytes = ReadWholeFile(path);
    Bitmap bitmap;
    if (!ReadBitmap(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &bitmap) || bitmap.height < 0)
        return false;
    picture->width = bitmap.width;
    picture->height = bitmap.height;
    picture->pixels.resize(static_cast<std::size_t>(bitmap.width) * bitmap.height);
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x)
            picture->pixels[static_cast<std::size_t>(y) * bitmap.width + x] = BitmapPixel(bitmap, x, y);
    return true;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Hex(std::uint32_t colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour & 0xFFFFFF));
    return text;
}

std::uint32_t ButtonFace()
{
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    return (static_cast<std::uint32_t>(GetRValue(face)) << 16) | (GetGValue(face) << 8) | GetBValue(face);
}

// The right edges of the score bar's parts.
std::vector<int> ScoreBarFields(HWND bar)
{
    int parts[16] = {};
    LRESULT count = SendForRemoteData(bar, SB_GETPARTS, 16, parts, sizeof parts);
    return std::vector<int>(parts, parts + (count > 0 && count <= 16 ? count : 0));
}

int Height(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

class Display : public GameWindowTest {
protected:
    // Starts the program with these lines of the [system] section.
    void Start(const std::string& systemLines = "")
    {
        GameWindowTest::Start(systemLines.empty() ? "" : "[system]\r\n" + systemLines);
        if (HasFatalFailure())
            return;
        toolBarOn = IsWindowVisible(toolbar) != FALSE;
        scoreBarOn = IsWindowVisible(scoreBar) != FALSE;
        Settle(program.window, 300);
    }

    int Number() const { return GameNumberOfTitle(WindowText(program.window)); }

    // The client area the painting rules give for the board hanabo-tool deals
    // from the title's number (dealOptions) with the tile picture and CellNo
    // of pictureOptions; kept as an artifact under name.
    Picture Expected(const std::string& dealOptions, const std::string& pictureOptions, const std::string& name)
    {
        std::string game = program.directory + "dealt.tgw";
        std::ofstream(game, std::ios::binary) << RunTool("deal " + std::to_string(Number()) + dealOptions);
        return ExpectedFor(game, pictureOptions, name);
    }

    // The same for a saved game.
    Picture ExpectedFor(const std::string& game, const std::string& pictureOptions, const std::string& name)
    {
        Picture expected;
        RECT window;
        GetWindowRect(program.window, &window);
        std::string out = ArtifactPath(name);
        std::string folder = ProgramFolder();
        std::string arguments = Quoted(game) + " " + Quoted(out) + " " + Quoted(folder + "builtin\\tiles.bmp") + " " +
                                Quoted(folder + "builtin\\baricons.bmp") + pictureOptions +
                                " --toolbar " + std::to_string(toolBarOn ? Height(toolbar) : 0) +
                                " --score-bar " + std::to_string(scoreBarOn ? Height(scoreBar) : 0) +
                                " --window-width " + std::to_string(window.right - window.left) +
                                " --face " + Hex(ButtonFace());
        long exitCode = -1;
        RunProgram(folder + "board-picture.exe", arguments, "", &exitCode);
        EXPECT_EQ(0, exitCode) << arguments;
        EXPECT_TRUE(ReadPicture(out, &expected)) << out;
        return expected;
    }

    // Compares the rows that board painting owns: from the frame's top line
    // (boardTop - 1, or row 0 when there is no toolbar) to the top of the
    // score bar; describes the differences, empty when there are none.
    std::string Differences(const Picture& shot, const Picture& expected)
    {
        if (shot.width != expected.width || shot.height != expected.height)
            return "client " + std::to_string(shot.width) + "x" + std::to_string(shot.height) + ", expected " +
                   std::to_string(expected.width) + "x" + std::to_string(expected.height);
        const int top = boardTop > 0 ? boardTop - 1 : 0;
        const int bottom = scoreBarOn ? shot.height - Height(scoreBar) : shot.height;
        int count = 0;
        std::string first;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < shot.width; ++x)
                if (shot.At(x, y) != expected.At(x, y) && count++ == 0)
                    first = " first at (" + std::to_string(x) + ", " + std::to_string(y) + "): " +
                            Hex(shot.At(x, y)) + " instead of " + Hex(expected.At(x, y));
        return count == 0 ? "" : std::to_string(count) + " pixels differ;" + first;
    }

    // The pixels of a cell of 32-pixel tiles in a client-area picture.
    std::vector<std::uint32_t> CellPixels(const Picture& shot, int column, int row) const
    {
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                pixels.push_back(shot.At(2 + column * 32 + x, boardTop + row * 32 + y));
        return pixels;
    }

    bool toolBarOn = true;
    bool scoreBarOn = true;
};

}  // namespace

TEST_F(Display, BuiltInSetPaintsTheDealtBoardWithTheBarsAroundIt)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_EQ(0u, WindowText(program.window).rfind("IroGame #", 0));
    Picture expected = Expected("", "", "display-builtin-expected.bmp");
    EXPECT_EQ("", Differences(ClientShot(program.window), expected));
    EXPECT_TRUE(SaveScreenshot(program.window, ArtifactPath("display-builtin.bmp")));

    // A 516-pixel client gives score-bar parts of 60 pixels, and the score
    // bar lies along the client area's bottom.
    EXPECT_EQ((std::vector<int>{60, 120, 180, 240, 300, 360, 440}), ScoreBarFields(scoreBar));
    RECT client;
    GetClientRect(program.window, &client);
    RECT bar;
    GetWindowRect(scoreBar, &bar);
    POINT corner = {bar.left, bar.bottom};
    ScreenToClient(program.window, &corner);
    EXPECT_EQ(0, corner.x);
    EXPECT_EQ(client.bottom, corner.y);

    // The click counter box stands on the toolbar at x 182, centred on a
    // menu line's height.
    const int m = (29 - GetSystemMetrics(SM_CYMENU)) / 2;
    RECT box;
    GetWindowRect(counter, &box);
    POINT place = {box.left, box.top};
    ScreenToClient(toolbar, &place);
    EXPECT_EQ(182, place.x);
    EXPECT_EQ(m + 2, place.y);
    EXPECT_EQ(120, box.right - box.left);
    EXPECT_EQ(27 - 2 * m, box.bottom - box.top);
    EXPECT_EQ("0(0) Click", ControlText(counter));
}

// Every tile size, each with other bars on and off: the client size follows
// the sheet and the bars, the board, its frame and the legend move with them,
// and the legend shows only the kinds dealt. The narrowest boards (256
// pixels) give score-bar parts of 35 pixels and a window so narrow that the
// menu bar may wrap. The 64-pixel sheet is of the road set.
TEST_F(Display, EveryTileSizeAndEveryBarPaintTheDealtBoard)
{
    struct SheetSize {
        int ts;
        int columns;
        int rows;
        const char* lines;
        bool road;
    };
    const SheetSize sheets[] = {{4, 64, 48, "ToolBar=0\r\n", false},
                                {8, 32, 30, "ScoreBar=0\r\n", false},
                                {16, 20, 15, "CellNo=3\r\n", false},
                                {48, 8, 6, "ToolBar=0\r\nScoreBar=0\r\n", false},
                                {64, 6, 4, "", true}};
    const std::string road = ProgramFolder() + "Road.bmp";
    for (const SheetSize& sheet : sheets) {
        const std::string size = std::to_string(sheet.columns) + "x" + std::to_string(sheet.rows);
        const std::string ts = std::to_string(sheet.ts);
        SCOPED_TRACE(size + " at " + ts + " " + sheet.lines);
        ASSERT_NO_FATAL_FAILURE(Start("SheetSizeX=" + std::to_string(sheet.columns) + "\r\nSheetSizeY=" +
                                      std::to_string(sheet.rows) + "\r\nCellSize=" + ts + "\r\n" + sheet.lines +
                                      (sheet.road ? "Bitmap=" + road + "\r\n" : "")));
        EXPECT_EQ(0u, WindowText(program.window).rfind(sheet.road ? "ZededUdoz #" : "IroGame #", 0));
        const std::string lines = sheet.lines;
        const bool threeKinds = lines == "CellNo=3\r\n";
        EXPECT_EQ(lines.find("ToolBar=0") == std::string::npos, toolBarOn);
        EXPECT_EQ(lines.find("ScoreBar=0") == std::string::npos, scoreBarOn);
        RECT client;
        GetClientRect(program.window, &client);
        EXPECT_EQ(sheet.columns * sheet.ts + 4, client.right);
        EXPECT_EQ(sheet.rows * sheet.ts + 4 + (toolBarOn ? Height(toolbar) : 0) +
                      (scoreBarOn ? Height(scoreBar) + 24 : 0),
                  client.bottom);
        const Picture shot = ClientShot(program.window);
        Picture expected = Expected(" --size " + size + " --cell " + ts + (threeKinds ? " --kinds 3" : "") +
                                        (sheet.road ? " --road" : ""),
                                    threeKinds ? " --cellno 3" : sheet.road ? " --tiles " + Quoted(road) : "",
                                    "display-ts" + ts + "-expected.bmp");
        EXPECT_EQ("", Differences(shot, expected));
        EXPECT_TRUE(SaveScreenshot(program.window, ArtifactPath("display-ts" + ts + ".bmp")));
        if (!scoreBarOn) {
            StopProgram(program);
            continue;
        }

        RECT window;
        GetWindowRect(program.window, &window);
        int step = (window.right - window.left - 20) / 35 * 5;
        if (step > 60)
            step = 60;
        if (sheet.columns * sheet.ts == 256) {
            EXPECT_EQ(35, step);
        }
        const std::vector<int> edges = ScoreBarFields(scoreBar);
        EXPECT_EQ((std::vector<int>{step, 2 * step, 3 * step, 4 * step, 5 * step, 6 * step, 7 * step + 20}), edges);
        if (threeKinds && edges.size() == 7) {
            // The places of tile values 4 and 5, outlines included, stay button face.
            const int y0 = boardTop + sheet.rows * sheet.ts + 4;
            const std::uint32_t face = ButtonFace();
            int other = 0;
            for (int y = y0 - 1; y < y0 + 20; ++y)
                for (int x = edges[2] + 3; x < edges[3] + 24; ++x)
                    other += shot.At(x, y) != face ? 1 : 0;
            EXPECT_EQ(0, other);
        }
        StopProgram(program);
    }
}

// An animated set: the selection loops, a click vanishes the group, and a
// group whose vanishing lost the focus stays until it is clicked again.
TEST_F(Display, AnimatedSetLoopsTheSelectionAndVanishesTheGroup)
{
    const std::string jewels = ProgramFolder() + "Jewels32.bmp";
    ASSERT_NO_FATAL_FAILURE(Start("Bitmap=" + jewels + "\r\nAnimIntrvl=200\r\n"));
    const Board board = BoardOf(RunTool("deal " + std::to_string(Number())));
    ASSERT_EQ(16, board.columns);
    const BoardGroup group = LargestGroup(board);
    ASSERT_GE(group.size, 2);
    // Every cell of the group changes picture over the ticks, in step with
    // its last cell (in the bottom row of its box); the cells around it
    // keep theirs.
    Board marked = board;
    Selection box;
    MarkGroupAt(marked, GameMode::IroGame, group.column, group.row, &box);
    int lastColumn = box.maxColumn;
    while (CellAt(marked, lastColumn, box.maxRow) < CellMarkBit)
        --lastColumn;
    const BoardGroup lone = LoneTile(board);
    const Picture before = ClientShot(program.window);
    const POINT at = CellPoint(group.column, group.row);
    SendWithin(program.window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    std::set<std::vector<std::uint32_t>> seen;
    for (int i = 0; i < 10; ++i) {
        Settle(program.window, 120);
        Picture shot = ClientShot(program.window);
        std::vector<std::uint32_t> anchor = CellPixels(shot, group.column, group.row);
        seen.insert(anchor);
        if (anchor != CellPixels(shot, lastColumn, box.maxRow))
            ADD_FAILURE() << "the group's cells show different pictures";
        if (lone.column >= 0 && CellPixels(shot, lone.column, lone.row) != CellPixels(before, lone.column, lone.row))
            ADD_FAILURE() << "a cell outside the group changed";
    }
    EXPECT_GE(seen.size(), 3u);
    EXPECT_TRUE(SaveScreenshot(program.window, ArtifactPath("display-animated.bmp")));

    // A click starts the vanishing animation; the group goes when it ends.
    const std::string dealt = RunTool("deal " + std::to_string(Number()));
    ClickCell(group.column, group.row);
    EXPECT_EQ("0(0) Click", ControlText(counter));
    EXPECT_EQ("1(1) Click", WaitForText(counter, "1(1) Click"));
    const std::string played = RunTool("play - " + MoveText(group), dealt);
    const TileCounts left = CountTiles(BoardOf(played), GameMode::IroGame);
    for (int part = 0; part < 5; ++part)
        EXPECT_EQ(std::to_string(left.count[part + 1]), StatusBarText(scoreBar, part)) << part;

    // What is left is painted as the rules paint the board after that move.
    const std::string after = program.directory + "after.tgw";
    std::ofstream(after, std::ios::binary) << played;
    Picture expected = ExpectedFor(after, " --tiles " + Quoted(jewels), "display-vanished-expected.bmp");
    EXPECT_EQ("", Differences(ClientShot(program.window), expected));

    // The next group vanishes while the window loses the focus: long after
    // the animation would have ended, it is still there; a click on it plays
    // the vanishing again, then removes it.
    const BoardGroup next = LargestGroup(BoardOf(played));
    ASSERT_GE(next.size, 2);
    ClickCell(next.column, next.row);
    SendWithin(program.window, WM_KILLFOCUS, 0, 0);
    Settle(program.window, 2000);
    EXPECT_EQ("1(1) Click", ControlText(counter));
    EXPECT_EQ(std::to_string(next.size), StatusBarText(scoreBar, 5));
    ClickCell(next.column, next.row);
    EXPECT_EQ("1(1) Click", ControlText(counter));
    EXPECT_EQ("2(2) Clicks", WaitForText(counter, "2(2) Clicks"));
}

TEST_F(Display, PoppedUpToolbarStopsTheSelectionAnimation)
{
    // Bars pop up while Shift is held; highlighting goes on under them.
    const std::string marbles = ProgramFolder() + "Marbles24.bmp";
    ASSERT_NO_FATAL_FAILURE(Start("Bitmap=" + marbles + "\r\nAnimIntrvl=100\r\nToolBar=0\r\nBarOptionAuto=0\r\n"));
    ASSERT_FALSE(toolBarOn);
    const Board board = BoardOf(RunTool("deal " + std::to_string(Number())));
    const BoardGroup first = LargestGroup(board);
    ASSERT_GE(first.size, 2);
    // A second group, starting below the rows that the popped-up toolbar covers.
    BoardGroup second{-1, -1, 0};
    for (const BoardGroup& group : GroupsOf(board, GameMode::IroGame))
        if (second.size < 2 && group.size >= 2 && group.row >= 2 &&
            (group.column != first.column || group.row != first.row))
            second = group;
    ASSERT_GE(second.size, 2);

    auto hover = [&](const BoardGroup& cell, WPARAM keys) {
        SendWithin(program.window, WM_MOUSEMOVE, keys, MAKELPARAM(2 + cell.column * 32 + 16, cell.row * 32 + 16));
    };
    // How many pictures the cell shows over six samples.
    auto pictures = [&](const BoardGroup& cell) {
        std::set<std::vector<std::uint32_t>> seen;
        for (int i = 0; i < 6; ++i) {
            Settle(program.window, 60);
            seen.insert(CellPixels(ClientShot(program.window), cell.column, cell.row));
        }
        return seen.size();
    };

    hover(first, 0);
    EXPECT_GE(pictures(first), 2u) << "the selection animation does not run";

    // Shift pops the toolbar up over the board: the group rests on its frame.
    hover(first, MK_SHIFT);
    Settle(program.window, 200);
    EXPECT_TRUE(IsWindowVisible(toolbar));
    EXPECT_EQ(1u, pictures(first));

    // A group highlighted while the toolbar is up does not animate either...
    hover(second, MK_SHIFT);
    Settle(program.window, 200);
    EXPECT_EQ(std::to_string(second.size), StatusBarText(scoreBar, 5));
    EXPECT_EQ(1u, pictures(second));
    EXPECT_TRUE(SaveScreenshot(program.window, ArtifactPath("display-popped-up.bmp")));

    // ...and the next highlighting with the toolbar away starts it again.
    hover(first, 0);
    Settle(program.window, 100);
    EXPECT_FALSE(IsWindowVisible(toolbar));
    EXPECT_GE(pictures(first), 2u);
}
