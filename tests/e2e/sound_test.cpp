// The release as unpacked by the test script (the 64-bit program standing in
// for the 32-bit one), played from its folder: the sounds reach the device
// (captured through ALSA), Ctrl+M silences them, Select Sound and its folder
// browser store new names, and a tile set is chosen by its name.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/game_window.h"

namespace {

std::string Lower(std::string text)
{
    CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

class Sounds : public GameWindowTest {
protected:
    const std::string capture = Environment("HANABO_CAPTURE");

    // Whether the device received the samples (within 20 s). A busy machine
    // can starve the device, which then plays silence in the middle of a
    // sound; so three quarters of the sound's 512-byte pieces must arrive.
    bool Heard(const std::string& samples)
    {
        for (DWORD waited = 0; waited < 20000; waited += 100, Sleep(100)) {
            const std::string heard = ReadWholeFile(capture);
            std::size_t pieces = 0, found = 0;
            for (std::size_t at = 0; at + 512 <= samples.size(); at += 512, ++pieces)
                found += heard.find(samples.substr(at, 512)) != std::string::npos;
            if (pieces > 0 && found * 4 >= pieces * 3)
                return true;
        }
        return false;
    }

    void ClickListItem(HWND list, int index)
    {
        ClickRect(ListItemRect(list, index));
        Settle(list, 200);
    }
};

}  // namespace

TEST_F(Sounds, TheReleasePlaysSoundsAndStoresSelectSoundsNames)
{
    ASSERT_FALSE(capture.empty()) << "HANABO_CAPTURE names no capture file";
    // Without a release, a folder with the build's sounds and tile sets.
    std::string folder = Environment("HANABO_DIST");
    if (!folder.empty()) {
        for (const char* name : {"Hanabo.hlp", "Hanabo.mid", "Road.bmp", "ReadmeE.txt"})
            EXPECT_TRUE(FileExists(folder + name)) << name;
        EXPECT_NE(std::string::npos, ReadWholeFile(folder + "Readme.txt").find("\x97\x56\x82\xd1\x95\xfb"))
            << "no Shift-JIS 遊び方 in Readme.txt";
        EXPECT_FALSE(FileExists(folder + "Hanabo.ini"));
        program.exe = folder + "Hanabo32.exe";
    } else {
        folder = MakeWorkDirectory();
        CreateDirectoryA((folder + "Sound").c_str(), nullptr);
        for (const std::string name : {"Jewels32.bmp", "Sound\\tada.wav", "Sound\\pin.wav", "Sound\\ding.wav",
                                       "Sound\\kira.wav", "Sound\\poof.wav"})
            CopyFileA((ProgramFolder() + name).c_str(), (folder + name).c_str(), FALSE);
    }
    // The samples after the files' headers: what the device is given.
    const std::string tada = ReadWholeFile(folder + "Sound\\tada.wav").substr(44);
    const std::string pin = ReadWholeFile(folder + "Sound\\pin.wav").substr(44);
    DeleteFileA(capture.c_str());
    ASSERT_NO_FATAL_FAILURE(Start("[Sound]\r\nSound=1\r\n", folder));

    // Start and Click, sample for sample; after Ctrl+M a click is silent.
    EXPECT_TRUE(Heard(tada)) << "the Start sound did not arrive";
    Sleep(300);
    std::string board = DealtBoard();
    for (bool silent : {false, true}) {
        DeleteFileA(capture.c_str());
        const BoardGroup move = LargestGroup(BoardOf(board));
        ASSERT_GE(move.size, 2);
        Click(move.column, move.row);
        board = RunTool("play - " + MoveText(move), board);
        if (silent) {
            Sleep(1500);
            EXPECT_EQ("", ReadWholeFile(capture)) << "a sound arrived with the sound switched off";
        } else {
            EXPECT_TRUE(Heard(pin)) << "the Click sound did not arrive";
            Keys({VK_CONTROL, 'M'});
        }
    }

    // Select Sound, over the Configuration dialog: the rows, the folder and
    // its wave files; TEST plays a row's file with the sound off; Cancel.
    PostMessageA(program.window, WM_COMMAND, IDM_CONFIG, 0);
    const Dialog config = OpenedDialog(program, "Configure Game");
    ASSERT_NE(nullptr, config.window);
    config.Press(IDC_SELECTSOUND);
    Dialog dialog = OpenedDialog(program, "Select Sound");
    ASSERT_NE(nullptr, dialog.window);
    EXPECT_EQ(config.window, GetWindow(dialog.window, GW_OWNER));
    std::vector<std::string> rows = dialog.List(IDC_SOUND_EVENTS);
    ASSERT_EQ(8u, rows.size());
    EXPECT_EQ("Click           \tpin.wav|Select          \t|", rows[1] + "|" + rows[6] + "|");
    EXPECT_EQ(Lower(folder + "Sound\\"), Lower(dialog.Text(IDC_SOUND_FOLDER)));
    EXPECT_EQ((std::vector<std::string>{"ding.wav", "kira.wav", "pin.wav", "poof.wav", "tada.wav"}),
              dialog.List(IDC_SOUND_WAVES));
    SaveScreenshot(dialog.window, ArtifactPath("select_sound.bmp"));
    ClickListItem(dialog.Item(IDC_SOUND_EVENTS), 1);
    DeleteFileA(capture.c_str());
    dialog.Press(IDC_SOUND_TEST);
    EXPECT_TRUE(Heard(pin)) << "TEST did not play pin.wav";
    ClickListItem(dialog.Item(IDC_SOUND_EVENTS), 6);
    ClickListItem(dialog.Item(IDC_SOUND_WAVES), 1);
    EXPECT_EQ("Select          \tkira.wav", dialog.List(IDC_SOUND_EVENTS).at(6));
    ASSERT_TRUE(dialog.Close(IDCANCEL));

    // A file for Select, none for Message, and a drive from the browser,
    // which opens at the sound folder and lists a drive's folders at once; OK.
    config.Press(IDC_SELECTSOUND);
    dialog = OpenedDialog(program, "Select Sound");
    ASSERT_NE(nullptr, dialog.window);
    EXPECT_EQ("Select          \t", dialog.List(IDC_SOUND_EVENTS).at(6));
    ClickListItem(dialog.Item(IDC_SOUND_EVENTS), 6);
    ClickListItem(dialog.Item(IDC_SOUND_WAVES), 1);
    ClickListItem(dialog.Item(IDC_SOUND_EVENTS), 5);
    dialog.Press(IDC_SOUND_NONE);
    rows = dialog.List(IDC_SOUND_EVENTS);
    EXPECT_EQ("Message         \t|Select          \tkira.wav|", rows.at(5) + "|" + rows.at(6) + "|");
    dialog.Press(IDC_SOUND_CHANGEFOLDER);
    const Dialog browser = OpenedDialog(program, "Hanabo32-Select Folder");
    ASSERT_NE(nullptr, browser.window);
    HWND tree = browser.Item(IDC_FOLDER_TREE);
    EXPECT_EQ("Sound", TreeItemText(tree, TreeView_GetSelection(tree)));
    SaveScreenshot(browser.window, ArtifactPath("folder_browser.bmp"));
    PressKeys(browser.window, {'Z'});
    for (int waited = 0; TreeItemText(tree, TreeView_GetSelection(tree)) != "Z:\\" && waited < 5000; waited += 100)
        Sleep(100);
    ASSERT_EQ("Z:\\", TreeItemText(tree, TreeView_GetSelection(tree)));
    EXPECT_NE(nullptr, TreeView_GetChild(tree, TreeView_GetSelection(tree)));
    EXPECT_TRUE(browser.Close(IDOK));
    EXPECT_EQ("z:\\", Lower(WaitForText(dialog.Item(IDC_SOUND_FOLDER), "Z:\\")));
    EXPECT_EQ(0u, dialog.List(IDC_SOUND_WAVES).size());
    ASSERT_TRUE(dialog.Close(IDOK));

    // A tile set chosen by its name, in the folder where the choice starts.
    EXPECT_EQ("Bitmap", ChooseFileOver(config, IDC_CFG_BITMAP, "Jewels32.bmp"));
    EXPECT_EQ(folder + "Jewels32.bmp", config.Text(IDC_CFG_BITMAPPATH));
    EXPECT_TRUE(config.Enabled(IDC_CFG_BLANKCELL));
    ASSERT_TRUE(config.Close(IDOK));
    Settle(program.window, 300);
    const BoardGroup move = LargestGroup(BoardOf(board));
    Click(move.column, move.row);
    EXPECT_EQ("3(3) Clicks", WaitForText(counter, "3(3) Clicks"));

    Keys({VK_CONTROL, 'X'});
    EXPECT_EQ(0, WaitForExit(program));
    const std::string ini = ReadWholeFile(folder + "Hanabo.ini");
    for (const std::string& line : {"\r\nBitmap=" + folder + "Jewels32.bmp\r\n", std::string("\r\nSound=0\r\n"),
                                   std::string("\r\nPath=Z:\\\r\n"), std::string("\r\nClick=pin.wav\r\n"),
                                   std::string("\r\nMessage=\r\nSelect=kira.wav\r\n")})
        EXPECT_NE(std::string::npos, Lower(ini).find(Lower(line))) << line << ini;
}
