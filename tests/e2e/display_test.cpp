// The board on the screen: screenshots of the client area checked pixel for
// pixel against the picture board-picture draws for the dealt board, for the
// road set on the narrowest board, and the animations of an animated set.
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

// The narrowest board, 256 pixels of 64 x 48 road tiles of 4 pixels, without
// the toolbar: the client size follows the sheet and the bars, and the
// score bar's parts are 35 pixels wide.
TEST_F(Display, TheRoadSetOnTheNarrowestBoard)
{
    const std::string road = ProgramFolder() + "Road.bmp";
    ts = 4;
    ASSERT_NO_FATAL_FAILURE(Start("[system]\r\nSheetSizeX=64\r\nSheetSizeY=48\r\nCellSize=4\r\nToolBar=0\r\nBitmap=" +
                                  road + "\r\n"));
    Settle(program.window, 300);
    EXPECT_EQ(0u, Title().rfind("ZededUdoz #", 0)) << Title();
    EXPECT_TRUE(scoreBarOn && !toolBarOn);
    RECT client;
    GetClientRect(program.window, &client);
    const LayoutSize size = ClientSize(64, 48, ts, Bars{toolBarOn, scoreBarOn, Height(toolbar), Height(scoreBar)});
    EXPECT_EQ(size.width, client.right);
    EXPECT_EQ(size.height, client.bottom);
    EXPECT_EQ("", Differences(ClientShot(), Expected(DealtBoard(" --size 64x48 --cell 4 --road"),
                                                     " --tiles \"" + road + "\"", "display-road-expected.bmp")));
    SaveScreenshot(program.window, ArtifactPath("display-road.bmp"));
    int edges[ScoreBarFields] = {};
    SendForRemoteData(scoreBar, SB_GETPARTS, ScoreBarFields, edges, sizeof edges);
    EXPECT_EQ(35, edges[0]);
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
