// Playing from the keyboard and the Hint: H marks a group, then the arrow
// keys, Space and Enter play a small sheet to its end with the counter texts
// a mouse game shows.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "resources/resource.h"
#include "tests/e2e/game_window.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/sheet.h"

namespace {

// "全消しできます": the Hint's note that the board can be cleared.
const char ClearsNote[] = "\x91\x53\x8f\xc1\x82\xb5\x82\xc5\x82\xab\x82\xdc\x82\xb7";

std::string CounterText(int index, int count)
{
    char text[64];
    std::snprintf(text, sizeof text, index < 2 ? "%d(%d) Click" : "%d(%d) Clicks", index, count);
    return text;
}

class Keyboard : public GameWindowTest {
protected:
    // A key handled before this returns (no Ctrl or Alt held).
    void Key(WPARAM key) { SendWithin(program.window, WM_KEYDOWN, key, 1); }
    void Keys(WPARAM key, int times)
    {
        for (int i = 0; i < times; ++i)
            Key(key);
    }
    std::string Counter() const { return ControlText(counter); }
    std::string Field(int part) const { return StatusBarText(scoreBar, part); }
};

}  // namespace

TEST_F(Keyboard, HintThenArrowsAndSpacePlayToTheEnd)
{
    ASSERT_NO_FATAL_FAILURE(Start(SmallSheetUnbeaten()));
    const int number = GameNumberOfTitle(WindowText(program.window));
    std::string board = RunTool("deal " + std::to_string(number) + SmallSheetOptions);
    Sheet sheet = ParseSheet(board);
    ASSERT_EQ(8, sheet.columns);

    // H: a group is marked within the search's time; a note that the board
    // can be cleared goes back to the clicks after a while.
    Key('H');
    std::string size;
    for (int waited = 0; waited < 5000; waited += 100) {
        size = Field(5);
        if (size != " " && !size.empty())
            break;
        Sleep(100);
    }
    ASSERT_GE(std::atoi(size.c_str()), 2) << size;
    if (Counter() == ClearsNote) {
        EXPECT_EQ(CounterText(0, 0), WaitForText(counter, CounterText(0, 0), 6000));
    }
    EXPECT_EQ(CounterText(0, 0), Counter());

    int played = 0;
    for (;;) {
        Move move = LargestGroup(ParseSheet(board));
        if (move.size < 2)
            break;
        // To the bottom-left Cell, which holds a tile while the game goes on,
        // then up and right to the group.
        Keys(VK_LEFT, sheet.columns);
        Keys(VK_DOWN, sheet.rows);
        Keys(VK_RIGHT, move.column);
        Keys(VK_UP, sheet.rows - 1 - move.row);
        ASSERT_EQ(std::to_string(move.size), Field(5)) << MoveText(move);
        if (played == 0)
            SaveScreenshot(program.window, ArtifactPath("keyboard-cursor.bmp"));
        Key(played % 2 == 0 ? VK_SPACE : VK_RETURN);
        ++played;
        ASSERT_EQ(CounterText(played, played), Counter());
        board = RunTool("play - " + MoveText(move), board);
    }
    ASSERT_GE(played, 2);
    Sheet end = ParseSheet(board);
    for (int kind = 1; kind <= 3; ++kind)
        EXPECT_EQ(std::to_string(end.Count(kind)), Field(kind - 1));
    // The game is over: Space removes nothing more and nothing is asked yet.
    Key(VK_SPACE);
    EXPECT_EQ(CounterText(played, played), Counter());
    EXPECT_EQ(nullptr, WaitForWindow(program, "#32770", 300));
}
