// Playing from the keyboard and the Hint: H marks a group, then the arrow
// keys, Space and Enter play a small sheet to its end; and the largest sheet,
// where a group of every tile is hovered, removed and undone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/e2e/game_window.h"

namespace {

// "全消しできます": the Hint's note that the board can be cleared.
const char ClearsNote[] = "\x91\x53\x8f\xc1\x82\xb5\x82\xc5\x82\xab\x82\xdc\x82\xb7";

// Milliseconds on one clock for the whole process.
double Now()
{
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

class Keyboard : public GameWindowTest {
protected:
    // A key handled before this returns (no Ctrl or Alt held).
    void Key(WPARAM key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            SendWithin(program.window, WM_KEYDOWN, key, 1);
    }
};

}  // namespace

TEST_F(Keyboard, HintThenArrowsAndSpacePlayToTheEnd)
{
    // An animated set: every removal vanishes first, and the cursor follows
    // the tiles when it ends.
    std::string settings = SmallSheetUnbeaten();
    settings.insert(std::strlen(SmallSheetSettings), "Bitmap=" + ProgramFolder() + "Jewels32.bmp\r\nAnimIntrvl=20\r\n");
    ASSERT_NO_FATAL_FAILURE(Start(settings));
    std::string board = DealtBoard(SmallSheetOptions);
    const Board dealt = BoardOf(board);
    ASSERT_EQ(8, dealt.columns);

    // H: a group is marked within the search's time; a note that the board
    // can be cleared goes back to the clicks after a while.
    Key('H');
    std::string size;
    for (int waited = 0; waited < 5000 && std::atoi(size.c_str()) < 2; waited += 100) {
        Sleep(100);
        size = Field(5);
    }
    ASSERT_GE(std::atoi(size.c_str()), 2) << size;
    if (Counter() == ClearsNote)
        WaitForText(counter, CounterText(0, 0), 6000);
    EXPECT_EQ(CounterText(0, 0), Counter());

    int played = 0;
    for (BoardGroup move = LargestGroup(dealt); move.size >= 2; move = LargestGroup(BoardOf(board))) {
        // To the bottom-left Cell, which holds a tile while the game goes on,
        // then up and right to the group.
        Key(VK_LEFT, dealt.columns);
        Key(VK_DOWN, dealt.rows);
        Key(VK_RIGHT, move.column);
        Key(VK_UP, dealt.rows - 1 - move.row);
        ASSERT_EQ(std::to_string(move.size), Field(5)) << MoveText(move);
        if (played == 0)
            SaveScreenshot(program.window, ArtifactPath("keyboard-cursor.bmp"));
        Key(played % 2 == 0 ? VK_SPACE : VK_RETURN);
        ++played;
        ASSERT_EQ(CounterText(played, played), WaitForText(counter, CounterText(played, played)));
        board = RunTool("play - " + MoveText(move), board);
        EXPECT_EQ(CountsText(board, 3), ShownCounts(3));
        // The vanishing has ended: while the game goes on, the cursor is on
        // a tile and its group marked.
        if (LargestGroup(BoardOf(board)).size >= 2) {
            EXPECT_GE(std::atoi(Field(5).c_str()), 1) << Field(5);
        }
    }
    ASSERT_GE(played, 2);
    // The game is over: Space removes nothing more and nothing is asked yet.
    Key(VK_SPACE);
    EXPECT_EQ(CounterText(played, played), Counter());
    EXPECT_EQ(nullptr, WaitForWindow(program, "#32770", 300));
}

// The largest sheet: 240 x 160 tiles of 4 pixels (the largest int as its
// size gives it), of one kind, whose records no game beats: a group of all
// 38400 tiles hovered, removed and undone (figures, not limits), and the
// settings keep the sheet's size.
TEST_F(Keyboard, TheLargestSheetTimesAGroupOfEveryTile)
{
    ts = 4;
    ASSERT_NO_FATAL_FAILURE(Start("[system]\r\nCellSize=4\r\nSheetSizeX=2147483647\r\nSheetSizeY=2147483647\r\n"
                                  "CellNo=1\r\n\r\n" + Records("240x160(1)")));
    RECT client;
    GetClientRect(program.window, &client);
    EXPECT_EQ(240 * 4 + 4, client.right);
    Settle(program.window, 500);
    const LPARAM at = MAKELPARAM(CellPoint(0, 0).x, CellPoint(0, 0).y);
    const UINT messages[3] = {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONDOWN};
    for (int run = 0; run < 3; ++run) {
        double took[3];
        for (int i = 0; i < 3; ++i) {
            const double start = Now();
            SendWithin(program.window, messages[i], i == 2 ? MK_RBUTTON : 0, at, 20000);
            took[i] = Now() - start;
            EXPECT_EQ(i == 1 ? "0" : "38400", Field(i == 0 ? 5 : 0)) << i;
        }
        EXPECT_EQ("0(1) Click", Counter());
        std::printf("a group of all 38400 tiles: hover %.1f ms, removal %.1f ms, Undo %.1f ms\n", took[0], took[1],
                    took[2]);
        // The game has ended: Again starts it afresh without the retry question.
        SendWithin(program.window, WM_COMMAND, IDM_AGAIN, 0);
    }

    PostMessageA(program.window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_EQ(0, WaitForExit(program));
    const std::string ini = ReadWholeFile(program.directory + "Hanabo.ini");
    EXPECT_NE(std::string::npos, ini.find("SheetSizeX=240\r\nSheetSizeY=160\r\nCellSize=4\r\n")) << ini;
}
