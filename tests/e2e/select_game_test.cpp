// The Select Game dialog: numbers kept with comments, taken back by a double
// click and deleted, typed numbers dealt, the recent numbers, the settings;
// the board of the day.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "dialogs/select_game.h"
#include "display/layout.h"
#include "rules/deal.h"
#include "tests/e2e/game_window.h"

namespace {

const char CommentCaption[] = "\x93\x6f\x98\x5e\x90\x94\x8e\x9a\x83\x52\x83\x81\x83\x93\x83\x67";  // 登録数字コメント

class SelectGame : public GameWindowTest {
protected:
    // Ctrl+G, from the window that has the keys.
    void Open(HWND from)
    {
        PressKeys(from, {VK_CONTROL, 'G'});
        dialog = OpenedDialog(program, "Select Game");
        ASSERT_NE(nullptr, dialog.window);
    }

    // Types digits into the NumberBox's edit field in place of what it holds.
    void TypeNumber(const std::string& text)
    {
        ClickControl(FindChild(dialog.Item(IDC_NUMBERBOX), "Edit"));
        PressKeys(dialog.window, {VK_END});
        PressKeys(dialog.window, {VK_SHIFT, VK_HOME});
        TypeText(std::wstring(text.begin(), text.end()));
        Settle(dialog.window, 200);
        ASSERT_EQ(text, dialog.Text(IDC_NUMBERBOX));
    }

    // Register for a number typed in, a comment typed (none: as offered).
    void Register(const std::string& number, const std::wstring& comment)
    {
        ASSERT_NO_FATAL_FAILURE(TypeNumber(number));
        dialog.Press(IDC_REGISTER);
        HWND box = OpenedDialog(program, CommentCaption).window;
        ASSERT_NE(nullptr, box);
        TypeText(comment);
        PressKeys(box, {VK_RETURN});
        ASSERT_TRUE(WaitUntilClosed(box));
        Settle(dialog.window, 100);
    }

    std::vector<std::string> RecentNumbers() const
    {
        return ListTexts(dialog.Item(IDC_NUMBERBOX), CB_GETCOUNT, CB_GETLBTEXT);
    }

    // OK, and the board dealt is hanabo-tool's for the number.
    void DealsNumber(const std::string& number)
    {
        EXPECT_TRUE(dialog.Close(IDOK));
        Settle(program.window, 100);
        EXPECT_EQ("IroGame #" + number + " 0(0) Click", Title() + " " + Counter());
        EXPECT_EQ(CountsText(RunTool("deal " + number), 5), ShownCounts(5));
    }

    Dialog dialog;
};

}  // namespace

TEST_F(SelectGame, TypedKeptChosenDeletedAndRecentNumbers)
{
    const std::string kept = FormatSpecialNumberEntry("31", "OLD");
    const std::string settings = "[Special Number]\r\nN1=" + kept + "\r\n\r\n";
    ASSERT_NO_FATAL_FAILURE(Start(settings));
    const std::string first = std::to_string(Number());
    ASSERT_NO_FATAL_FAILURE(Open(program.window));

    // Over the client area, with the first game's number and the one kept.
    RECT window, client, own;
    GetWindowRect(program.window, &window);
    GetClientRect(program.window, &client);
    GetWindowRect(dialog.window, &own);
    const LayoutPoint place = SelectGameDialogPlace(window.left, window.bottom, client.bottom);
    EXPECT_EQ(place.x, own.left);
    EXPECT_EQ(place.y, own.top);
    EXPECT_EQ(std::vector<std::string>{first}, RecentNumbers());
    EXPECT_EQ(first, dialog.Text(IDC_NUMBERBOX));
    EXPECT_EQ(std::vector<std::string>{kept}, dialog.List(IDC_SPECIALNUMBERS));

    // The comment dialog offers the sheet's description, which typing replaces.
    ASSERT_NO_FATAL_FAILURE(Register("777", L""));
    ASSERT_NO_FATAL_FAILURE(Register("5", L"NICE"));
    std::vector<std::string> entries = {FormatSpecialNumberEntry("5", "NICE"),
                                        FormatSpecialNumberEntry("777", "16x12(5)"), kept};
    EXPECT_EQ(entries, dialog.List(IDC_SPECIALNUMBERS));
    SaveScreenshot(dialog.window, ArtifactPath("select-game.bmp"));

    // A double click takes the padded number; OK deals it.
    const RECT entry = ListItemRect(dialog.Item(IDC_SPECIALNUMBERS), 1);
    ClickRect(entry);
    ClickRect(entry);
    Settle(dialog.window, 200);
    EXPECT_EQ("777            ", dialog.Text(IDC_NUMBERBOX));
    EXPECT_EQ(LB_ERR, SendWithin(dialog.Item(IDC_SPECIALNUMBERS), LB_GETCURSEL, 0, 0));
    ASSERT_NO_FATAL_FAILURE(DealsNumber("777"));

    // After a saved game was opened, OK deals the number, not the file.
    std::ofstream(program.directory + "three.tgw", std::ios::binary) << RunTool("deal 3");
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'O'}, program.directory + "three.tgw"));
    ASSERT_EQ("IroGame three.tgw", Title());
    ASSERT_NO_FATAL_FAILURE(Open(program.window));
    ASSERT_NO_FATAL_FAILURE(TypeNumber("12"));
    ASSERT_NO_FATAL_FAILURE(DealsNumber("12"));

    // Game > 今日の盤面(&D): the local date's number (the day before's when
    // the test began before midnight).
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    MenuItem('G', 'D');
    GetLocalTime(&after);
    auto dayNumber = [](const SYSTEMTIME& d) { return std::to_string(GameNumberOfDay(d.wYear, d.wMonth, d.wDay)); };
    const std::string number = std::to_string(Number());
    EXPECT_TRUE(number == dayNumber(before) || number == dayNumber(after)) << Title();
    EXPECT_EQ("IroGame #" + number + " 0(0) Click", Title() + " " + Counter());
    EXPECT_EQ(CountsText(RunTool("deal " + number), 5), ShownCounts(5));

    // New games pressed while the dialog has the keys go to its list at once.
    ASSERT_NO_FATAL_FAILURE(Open(program.window));
    std::vector<std::string> newest = RecentNumbers();
    for (int game = 0; game < 2; ++game) {
        PressKeys(dialog.window, {VK_CONTROL, 'N'});
        Settle(program.window, 200);
        newest.insert(newest.begin(), std::to_string(Number()));
    }
    EXPECT_TRUE(IsWindowVisible(dialog.window));
    EXPECT_EQ(newest, RecentNumbers());
    EXPECT_EQ(newest[0], dialog.Text(IDC_NUMBERBOX));

    // Delete takes the selected entry away (once the click has selected it).
    // A click that comes before the dialog is in front again selects
    // nothing, so it is repeated until the entry is selected.
    DWORD waited = 0;
    for (; SendWithin(dialog.Item(IDC_SPECIALNUMBERS), LB_GETCURSEL, 0, 0) != 1 && waited < WindowWait; waited += 50) {
        if (waited % 1000 == 0) {
            SetForegroundWindow(dialog.window);
            ClickRect(ListItemRect(dialog.Item(IDC_SPECIALNUMBERS), 1));
        }
        Sleep(50);
    }
    ASSERT_EQ(1, SendWithin(dialog.Item(IDC_SPECIALNUMBERS), LB_GETCURSEL, 0, 0));
    dialog.Press(IDC_DELETENUMBER);
    entries.erase(entries.begin() + 1);
    EXPECT_EQ(entries, dialog.List(IDC_SPECIALNUMBERS));

    // The kept numbers are written at exit, in the list's order.
    PressKeys(dialog.window, {VK_CONTROL, 'X'});
    ASSERT_EQ(0, WaitForExit(program));
    EXPECT_NE(std::string::npos,
              ReadWholeFile(program.directory + "Hanabo.ini")
                  .find("[Special Number]\r\nN1=" + entries[0] + "\r\nN2=" + entries[1] + "\r\n\r\n"));
}
