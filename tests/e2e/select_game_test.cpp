// The Select Game dialog as a player uses it: a typed number dealt, numbers
// kept with comments and taken back by a double click, the recent numbers,
// and the special numbers through a restart.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/game_window.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/sheet.h"

namespace {

const char SelectGameCaption[] = "Select Game";
const char CommentCaption[] = "\x93\x6f\x98\x5e\x90\x94\x8e\x9a\x83\x52\x83\x81\x83\x93\x83\x67";  // 登録数字コメント

std::string Entry(const std::string& paddedNumber, const std::string& comment)
{
    return paddedNumber + "\t" + comment;
}

class SelectGame : public GameWindowTest {
protected:
    // Ctrl+G, from the window that has the keys.
    void Open(HWND from)
    {
        PressKeys(from, {VK_CONTROL, 'G'});
        dialog = WaitForDialog(program, SelectGameCaption);
        ASSERT_NE(nullptr, dialog);
        Settle(dialog, 200);
    }

    HWND Item(int id) const { return GetDlgItem(dialog, id); }

    void ClickItem(int id)
    {
        ClickControl(Item(id));
        Settle(dialog, 200);
    }

    // Types text into the NumberBox's edit field in place of what it holds.
    void TypeNumber(const std::string& text)
    {
        HWND edit = FindChild(Item(IDC_NUMBERBOX), "Edit");
        ASSERT_NE(nullptr, edit);
        RECT rect;
        GetWindowRect(edit, &rect);
        ClickPointer((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        Settle(dialog, 100);
        PressKeys(dialog, {VK_END});
        PressKeys(dialog, {VK_SHIFT, VK_HOME});
        TypeKeys(text);
        ASSERT_EQ(text, ControlText(Item(IDC_NUMBERBOX)));
    }

    // Digits, '-' and capital letters, as keys of the keyboard.
    void TypeKeys(const std::string& text)
    {
        std::vector<INPUT> inputs;
        auto press = [&inputs](WORD vk, bool up) {
            INPUT key = {};
            key.type = INPUT_KEYBOARD;
            key.ki.wVk = vk;
            key.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(key);
        };
        for (char c : text) {
            bool capital = c >= 'A' && c <= 'Z';
            if (capital)
                press(VK_SHIFT, false);
            press(c == '-' ? VK_SUBTRACT : static_cast<WORD>(c), false);
            press(c == '-' ? VK_SUBTRACT : static_cast<WORD>(c), true);
            if (capital)
                press(VK_SHIFT, true);
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        Settle(dialog, 200);
    }

    // 数字登録 for a number typed in, with the comment typed (the sheet's
    // description when empty); the comment dialog is left through its OK.
    void Register(const std::string& number, const std::string& comment = "")
    {
        ASSERT_NO_FATAL_FAILURE(TypeNumber(number));
        ClickItem(IDC_REGISTER);
        HWND box = WaitForDialog(program, CommentCaption);
        ASSERT_NE(nullptr, box);
        Settle(box, 100);
        if (!comment.empty())
            TypeKeys(comment);
        PressKeys(box, {VK_RETURN});
        ASSERT_TRUE(WaitUntilClosed(box));
        Settle(dialog, 100);
    }

    std::vector<std::string> Entries() const { return ListTexts(Item(IDC_SPECIALNUMBERS), LB_GETCOUNT, LB_GETTEXT); }
    std::vector<std::string> RecentNumbers() const { return ListTexts(Item(IDC_NUMBERBOX), CB_GETCOUNT, CB_GETLBTEXT); }

    // The middle of entry index of the list, on the screen.
    POINT EntryPoint(int index) const
    {
        RECT rect = {};
        HWND list = Item(IDC_SPECIALNUMBERS);
        SendWithin(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    // OK, and the board dealt is hanabo-tool's for the number: its tile
    // counts, and the size of its largest group under the pointer.
    void DealsNumber(const std::string& number)
    {
        ClickItem(IDOK);
        EXPECT_FALSE(IsWindowVisible(dialog));
        // The pointer leaves the board, so that only the test's hover reaches it.
        MovePointer(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        Settle(program.window, 100);
        EXPECT_EQ("IroGame #" + number, WindowText(program.window));
        EXPECT_EQ("0(0) Click", ControlText(counter));
        const Board board = BoardOf(RunTool("deal " + number));
        ASSERT_EQ(16, board.columns);
        const TileCounts counts = CountTiles(board, GameMode::IroGame);
        std::string expected, shown;
        for (int kind = 1; kind <= 5; ++kind) {
            expected += std::to_string(counts.count[kind]) + " ";
            shown += StatusBarText(scoreBar, kind - 1) + " ";
        }
        EXPECT_EQ(expected, shown);
        const BoardGroup largest = LargestGroup(board);
        const POINT at = CellPoint(largest.column, largest.row);
        SendWithin(program.window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        EXPECT_EQ(std::to_string(largest.size), StatusBarText(scoreBar, 5));
    }

    HWND dialog = nullptr;
};

}  // namespace

TEST_F(SelectGame, TypedRegisteredAndRecentNumbersAreDealtAndTenEntriesSurviveARestart)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string first = std::to_string(GameNumberOfTitle(WindowText(program.window)));
    ASSERT_NO_FATAL_FAILURE(Open(program.window));

    // Over the top of the client area, with the first game's number.
    RECT window, client, own;
    GetWindowRect(program.window, &window);
    GetClientRect(program.window, &client);
    GetWindowRect(dialog, &own);
    EXPECT_EQ(window.left, own.left);
    EXPECT_EQ(window.bottom - client.bottom - 2, own.top);
    EXPECT_EQ(std::vector<std::string>{first}, RecentNumbers());
    EXPECT_EQ(first, ControlText(Item(IDC_NUMBERBOX)));

    ASSERT_NO_FATAL_FAILURE(TypeNumber("-42"));
    ASSERT_NO_FATAL_FAILURE(DealsNumber("-42"));

    // Hiding keeps the text; a chosen number is not a new one.
    ASSERT_NO_FATAL_FAILURE(Open(program.window));
    EXPECT_EQ("-42", ControlText(Item(IDC_NUMBERBOX)));
    EXPECT_EQ(std::vector<std::string>{first}, RecentNumbers());

    // The comment dialog offers the sheet's description, focused and selected.
    ASSERT_NO_FATAL_FAILURE(TypeNumber("777"));
    ClickItem(IDC_REGISTER);
    HWND box = WaitForDialog(program, CommentCaption);
    ASSERT_NE(nullptr, box);
    Settle(box, 100);
    HWND comment = GetDlgItem(box, IDC_COMMENT_TEXT);
    EXPECT_EQ("16x12(5)", ControlText(comment));
    EXPECT_EQ(comment, GetFocusOf(box));
    EXPECT_EQ(MAKELONG(0, 8), SendWithin(comment, EM_GETSEL, 0, 0));
    PressKeys(box, {VK_RETURN});
    ASSERT_TRUE(WaitUntilClosed(box));
    Settle(dialog, 100);
    ASSERT_NO_FATAL_FAILURE(Register("5", "NICE"));
    const std::vector<std::string> entries = {Entry("5              ", "NICE"), Entry("777            ", "16x12(5)")};
    EXPECT_EQ(entries, Entries());
    EXPECT_TRUE(SaveScreenshot(dialog, ArtifactPath("select-game.bmp")));

    // A double click takes the padded number; OK deals it.
    POINT at = EntryPoint(1);
    ClickPointer(at.x, at.y);
    ClickPointer(at.x, at.y);
    Settle(dialog, 200);
    EXPECT_EQ("777            ", ControlText(Item(IDC_NUMBERBOX)));
    EXPECT_EQ(LB_ERR, SendWithin(Item(IDC_SPECIALNUMBERS), LB_GETCURSEL, 0, 0));
    ASSERT_NO_FATAL_FAILURE(DealsNumber("777"));

    // After a saved game was opened, OK deals the number, not the file.
    std::ofstream(program.directory + "three.tgw", std::ios::binary) << RunTool("deal 3");
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'O'}, program.directory + "three.tgw"));
    Settle(program.window, 300);
    ASSERT_EQ("IroGame three.tgw", WindowText(program.window));
    ASSERT_NO_FATAL_FAILURE(Open(program.window));
    ASSERT_NO_FATAL_FAILURE(TypeNumber("12"));
    ASSERT_NO_FATAL_FAILURE(DealsNumber("12"));

    // Eleven entries, and new games pressed while the dialog has the keys,
    // which go to its list at once: the ten newest, newest first.
    ASSERT_NO_FATAL_FAILURE(Open(program.window));
    std::vector<std::string> kept;
    for (int n = 101; n <= 109; ++n) {
        ASSERT_NO_FATAL_FAILURE(Register(std::to_string(n)));
        kept.insert(kept.begin(), Entry(std::to_string(n) + "            ", "16x12(5)"));
    }
    kept.insert(kept.end(), entries.begin(), entries.end());
    ASSERT_EQ(kept, Entries());
    std::vector<std::string> newest;
    for (int game = 0; game < 11; ++game) {
        PressKeys(dialog, {VK_CONTROL, 'N'});
        Settle(program.window, 200);
        newest.insert(newest.begin(), std::to_string(GameNumberOfTitle(WindowText(program.window))));
    }
    newest.resize(10);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(newest, RecentNumbers());
    EXPECT_EQ(newest[0], ControlText(Item(IDC_NUMBERBOX)));
    EXPECT_EQ(kept, Entries());

    // The ten newest entries survive a restart.
    PressKeys(dialog, {VK_CONTROL, 'X'});
    ASSERT_EQ(0, WaitForExit(program));
    const std::string saved = ReadWholeFile(program.directory + "Hanabo.ini");
    EXPECT_NE(std::string::npos, saved.find("N1=109            \t16x12(5)\r\nN2=108")) << saved;
    EXPECT_NE(std::string::npos, saved.find("N11=777            \t16x12(5)\r\n\r\n[Sound]")) << saved;

    const std::string directory = program.directory;
    StopProgram(program);
    ASSERT_TRUE(StartProgram(program, directory));
    ASSERT_NO_FATAL_FAILURE(Open(program.window));
    kept.pop_back();
    EXPECT_EQ(kept, Entries());

    // Delete with no entry selected changes nothing; with one, takes it away.
    ClickItem(IDC_DELETENUMBER);
    EXPECT_EQ(kept, Entries());
    at = EntryPoint(1);
    ClickPointer(at.x, at.y);
    ClickItem(IDC_DELETENUMBER);
    kept.erase(kept.begin() + 1);
    EXPECT_EQ(kept, Entries());

    // A number longer than the program's texts is cut, registered and dealt.
    const std::string longNumber(3000, '9');
    SendWithin(Item(IDC_NUMBERBOX), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longNumber.c_str()));
    ClickItem(IDC_REGISTER);
    box = WaitForDialog(program, CommentCaption);
    ASSERT_NE(nullptr, box);
    PressKeys(box, {VK_RETURN});
    ASSERT_TRUE(WaitUntilClosed(box));
    ASSERT_EQ(10u, Entries().size());
    EXPECT_EQ(std::string(1023, '9'), Entries()[0]);
    ClickItem(IDOK);
    EXPECT_EQ("IroGame #2147483647", WindowText(program.window));

    PressKeys(program.window, {VK_CONTROL, 'X'});
    ASSERT_EQ(0, WaitForExit(program));
    const std::string again = ReadWholeFile(program.directory + "Hanabo.ini");
    EXPECT_NE(std::string::npos, again.find("N1=" + std::string(1023, '9') + "\r\nN2=109            \t")) << again;
    EXPECT_NE(std::string::npos, again.find("N10=5              \tNICE\r\n\r\n[Sound]")) << again;
}
