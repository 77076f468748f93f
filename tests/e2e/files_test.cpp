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

// The edit box of a file dialog that holds the file name.
HWND FileNameBox(HWND dialog)
{
    struct Search {
        HWND found = nullptr;
    } search;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            char name[64] = "";
            GetClassNameA(child, name, sizeof name);
            HWND parent = GetParent(child);
            int id = GetDlgCtrlID(child);
            int parentId = parent ? GetDlgCtrlID(parent) : 0;
            // The name box is edt1 (0x480), or the edit inside the combo box cmb13 (0x47c).
            if (lstrcmpiA(name, "Edit") == 0 && (id == 0x480 || parentId == 0x47c)) {
                reinterpret_cast<Search*>(data)->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Files : public GameWindowTest {
protected:
    void SetUp() override { Start(); }

    // Runs a file dialog opened by keys: types the name (when given) and confirms.
    void ChooseInFileDialog(std::vector<WORD> keys, const std::string& name, std::string* proposed = nullptr)
    {
        PressKeys(program.window, keys);
        HWND dialog = WaitForWindow(program, "#32770");
        ASSERT_NE(nullptr, dialog);
        Settle(dialog, 300);
        HWND box = FileNameBox(dialog);
        ASSERT_NE(nullptr, box);
        if (proposed)
            *proposed = ControlText(box);
        if (!name.empty())
            SendWithin(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        for (int waited = 0; IsWindow(dialog) && waited < 5000; waited += 50)
            Sleep(50);
        ASSERT_FALSE(IsWindow(dialog));
    }

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
