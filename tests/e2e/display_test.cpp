// The board on the screen: screenshots of the client area checked pixel for
// pixel against the picture board-picture draws for the dealt board, at other
// tile sizes and bars than the frame's, and the animations of an animated set.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "display/layout.h"
#include "tests/e2e/game_window.h"

namespace {

class Display : public GameWindowTest {
protected:
    // How many pictures a cell shows over six samples.
    std::size_t Pictures(const BoardGroup& cell)
    {
        std::set<std::vector<std::uint32_t>> seen;
        for (int i = 0; i < 6; ++i) {
            Settle(program.window, 60);
            seen.insert(CellPixels(ClientShot(), cell.column, cell.row));
        }
        return seen.size();
    }
};

}  // namespace

// The narrowest board (256 pixels, tiles of 4) without the toolbar, its
// legend showing only the three kinds dealt; and the road set at 64 pixels
// without the score bar. The client size follows the sheet and the bars.
TEST_F(Display, OtherTileSizesAndBarsPaintTheDealtBoard)
{
    const std::string road = ProgramFolder() + "Road.bmp";
    const struct {
        int ts, columns, rows;
        std::string lines, dealOptions, pictureOptions;
    } sheets[] = {{4, 64, 48, "ToolBar=0\r\nCellNo=3\r\n", " --kinds 3", " --cellno 3"},
                  {64, 6, 4, "ScoreBar=0\r\nBitmap=" + road + "\r\n", " --road", " --tiles \"" + road + "\""}};
    for (const auto& sheet : sheets) {
        const std::string size = std::to_string(sheet.columns) + "x" + std::to_string(sheet.rows);
        SCOPED_TRACE(size);
        ts = sheet.ts;
        ASSERT_NO_FATAL_FAILURE(Start("[system]\r\nSheetSizeX=" + std::to_string(sheet.columns) + "\r\nSheetSizeY=" +
                                      std::to_string(sheet.rows) + "\r\nCellSize=" + std::to_string(ts) + "\r\n" +
                                      sheet.lines));
        Settle(program.window, 300);
        EXPECT_EQ(sheet.ts != 64, scoreBarOn);
        EXPECT_EQ(sheet.ts == 64, toolBarOn);
        RECT client;
        GetClientRect(program.window, &client);
        const LayoutSize expectedSize =
            ClientSize(sheet.columns, sheet.rows, ts, Bars{toolBarOn, scoreBarOn, Height(toolbar), Height(scoreBar)});
        EXPECT_EQ(expectedSize.width, client.right);
        EXPECT_EQ(expectedSize.height, client.bottom);
        const Picture shot = ClientShot();
        const std::string name = "display-ts" + std::to_string(ts);
        const std::string game = DealtBoard(" --size " + size + " --cell " + std::to_string(ts) + sheet.dealOptions);
        EXPECT_EQ("", Differences(shot, Expected(game, sheet.pictureOptions, name + "-expected.bmp")));
        SaveScreenshot(program.window, ArtifactPath(name + ".bmp"));
        if (scoreBarOn) {
            // Parts of 35 pixels; the places of tile values 4 and 5, outlines
            // included, stay button face.
            int edges[ScoreBarFields] = {};
            SendForRemoteData(scoreBar, SB_GETPARTS, ScoreBarFields, edges, sizeof edges);
            EXPECT_EQ(35, edges[0]);
            const int y0 = boardTop + sheet.rows * ts + 4;
            int other = 0;
            for (int y = y0 - 1; y < y0 + 20; ++y)
                for (int x = edges[2] + 3; x < edges[3] + 24; ++x)
                    other += shot.At(x, y) != ButtonFace() ? 1 : 0;
            EXPECT_EQ(0, other);
        }
        StopProgram(program);
    }
}

// An animated set (24-pixel frames) with the toolbar popping up under Shift:
// the selection loops, in step over the group and nowhere else, and rests
// while the toolbar is up; a click vanishes the group and the rest is painted
// as the rules leave it; a group whose vanishing lost the focus stays until
// it is clicked again.
TEST_F(Display, AnimatedSetLoopsTheSelectionAndVanishesTheGroup)
{
    const std::string marbles = ProgramFolder() + "Marbles24.bmp";
    ASSERT_NO_FATAL_FAILURE(Start("[system]\r\nBitmap=" + marbles + "\r\nAnimIntrvl=100\r\nToolBar=0\r\n"
                                  "BarOptionAuto=0\r\n"));
    ASSERT_FALSE(toolBarOn);
    Settle(program.window, 300);
    const std::string dealt = DealtBoard();
    const Board board = BoardOf(dealt);
    const BoardGroup group = LargestGroup(board);
    ASSERT_GE(group.size, 2);
    // The group's last cell (in the bottom row of its box), and a second
    // group below the rows that the popped-up toolbar covers.
    Board marked = board;
    Selection box;
    MarkGroupAt(marked, GameMode::IroGame, group.column, group.row, &box);
    BoardGroup last{box.maxColumn, box.maxRow, 0};
    while (CellAt(marked, last.column, last.row) < CellMarkBit)
        --last.column;
    BoardGroup second{-1, -1, 0};
    for (const BoardGroup& other : GroupsOf(board, GameMode::IroGame))
        if (second.size < 2 && other.size >= 2 && other.row >= 2 && CellAt(marked, other.column, other.row) < CellMarkBit)
            second = other;
    ASSERT_GE(second.size, 2);
    const BoardGroup lone = LoneTile(board);

    const Picture before = ClientShot();
    Hover(group.column, group.row);
    std::set<std::vector<std::uint32_t>> seen;
    for (int i = 0; i < 10; ++i) {
        Settle(program.window, 120);
        const Picture shot = ClientShot();
        const std::vector<std::uint32_t> anchor = CellPixels(shot, group.column, group.row);
        seen.insert(anchor);
        if (anchor != CellPixels(shot, last.column, last.row))
            ADD_FAILURE() << "the group's cells show different pictures";
        if (lone.column >= 0 && CellPixels(shot, lone.column, lone.row) != CellPixels(before, lone.column, lone.row))
            ADD_FAILURE() << "a cell outside the group changed";
    }
    EXPECT_GE(seen.size(), 3u);
    SaveScreenshot(program.window, ArtifactPath("display-animated.bmp"));

    // Shift pops the toolbar up over the board: the group rests, and a group
    // highlighted while it is up does not animate either; the next
    // highlighting with the toolbar away starts it again.
    Hover(group.column, group.row, MK_SHIFT);
    Settle(program.window, 200);
    EXPECT_TRUE(IsWindowVisible(toolbar));
    EXPECT_EQ(1u, Pictures(group));
    Hover(second.column, second.row, MK_SHIFT);
    Settle(program.window, 200);
    EXPECT_EQ(std::to_string(second.size), Field(5));
    EXPECT_EQ(1u, Pictures(second));
    SaveScreenshot(program.window, ArtifactPath("display-popped-up.bmp"));
    Hover(group.column, group.row);
    Settle(program.window, 100);
    EXPECT_FALSE(IsWindowVisible(toolbar));
    EXPECT_GE(Pictures(group), 2u);

    // A click starts the vanishing animation; the group goes when it ends.
    Click(group.column, group.row);
    EXPECT_EQ("0(0) Click", Counter());
    EXPECT_EQ("1(1) Click", WaitForText(counter, "1(1) Click"));
    const std::string played = RunTool("play - " + MoveText(group), dealt);
    EXPECT_EQ(CountsText(played, 5), ShownCounts(5));
    EXPECT_EQ("", Differences(ClientShot(), Expected(played, " --tiles \"" + marbles + "\"", "display-vanished.bmp")));

    // The next group vanishes while the window loses the focus: long after
    // the animation would have ended it is still there; a click on it plays
    // the vanishing again, then removes it.
    const BoardGroup next = LargestGroup(BoardOf(played));
    ASSERT_GE(next.size, 2);
    Click(next.column, next.row);
    SendWithin(program.window, WM_KILLFOCUS, 0, 0);
    Settle(program.window, 2000);
    EXPECT_EQ("1(1) Click", Counter());
    EXPECT_EQ(std::to_string(next.size), Field(5));
    Click(next.column, next.row);
    EXPECT_EQ("1(1) Click", Counter());
    EXPECT_EQ("2(2) Clicks", WaitForText(counter, "2(2) Clicks"));
}
