// Saved games as a player makes them: Save through the save dialog, Open
// through the open dialog, and Again going back to the opened file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/game_window.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/sheet.h"

namespace {

const char SaveDoneText[] = "Save\x8f\x49\x97\xb9";  // Save終了

class Files : public GameWindowTest {
protected:
    void SetUp() override { Start(); }

    // The message box that follows a save: its text, then OK.
    std::string AnswerSaveMessage()
    {
        HWND box = WaitForWindow(program, "#32770");
        if (!box)
            return "";
        Settle(box, 200);
        std::string text;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char name[32] = "";
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, "Static") == 0)
                text += ControlText(child);
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        Settle(program.window, 200);
        return text;
    }

    // Hovers over and clicks the largest group of the sheet.
    void RemoveLargestGroup(const Sheet& sheet)
    {
        Move move = LargestGroup(sheet);
        ASSERT_GE(move.size, 2);
        int x = 2 + move.column * 32 + 16;
        int y = boardTop + move.row * 32 + 16;
        PostMouseMove(program.window, x, y);
        PostLeftClick(program.window, x, y);
        Settle(program.window, 200);
    }

    std::string TileCounts()
    {
        std::string counts;
        for (int part = 0; part < 5; ++part)
            counts += StatusBarText(scoreBar, part) + "|";
        return counts;
    }

};

}  // namespace

TEST_F(Files, SaveWritesTheBoardAndOpenGoesBackToIt)
{
    const int number = GameNumberOfTitle(WindowText(program.window));
    const std::string dealt = RunTool("deal " + std::to_string(number));
    ASSERT_FALSE(dealt.empty());

    std::string proposed;
    ChooseInFileDialog({VK_CONTROL, 'S'}, "", &proposed);
    EXPECT_EQ("save1.tgw", proposed);
    EXPECT_EQ(SaveDoneText, AnswerSaveMessage());
    EXPECT_EQ(dealt, ReadWholeFile(program.directory + "save1.tgw"));

    // Whatever extension the player types, the file is a .tgw.
    ChooseInFileDialog({VK_CONTROL, 'S'}, program.directory + "game.txt", &proposed);
    EXPECT_EQ("save2.tgw", proposed);
    EXPECT_EQ(SaveDoneText, AnswerSaveMessage());
    EXPECT_EQ(dealt, ReadWholeFile(program.directory + "game.tgw"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((program.directory + "game.txt").c_str()));

    const std::string countsAtStart = TileCounts();
    const Sheet sheet = ParseSheet(dealt);
    RemoveLargestGroup(sheet);
    ASSERT_EQ("1(1) Click", ControlText(counter));
    ASSERT_NE(countsAtStart, TileCounts());

    ChooseInFileDialog({VK_CONTROL, 'O'}, program.directory + "save1.tgw");
    Settle(program.window, 300);
    EXPECT_EQ("IroGame save1.tgw", WindowText(program.window));
    EXPECT_EQ("0(0) Click", ControlText(counter));
    EXPECT_EQ(countsAtStart, TileCounts());

    // Again deals the opened file, not the game number.
    RemoveLargestGroup(sheet);
    ASSERT_EQ("1(1) Click", ControlText(counter));
    PressKeys(program.window, {VK_CONTROL, 'A'});
    Settle(program.window, 300);
    EXPECT_EQ("0(1) Click", ControlText(counter));
    EXPECT_EQ(countsAtStart, TileCounts());
    EXPECT_EQ("IroGame save1.tgw", WindowText(program.window));

    // A new game forgets the file.
    PressKeys(program.window, {VK_CONTROL, 'N'});
    Settle(program.window, 300);
    EXPECT_EQ(0u, WindowText(program.window).rfind("IroGame #", 0)) << WindowText(program.window);
}
