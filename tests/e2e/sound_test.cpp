// Sounds and music as a player meets them: the event sounds really reach the
// sound device (captured through ALSA), Ctrl+M silences them, Select Sound
// (opened from the Configuration dialog) and its folder browser store new
// names, a MIDI file that cannot play is reported at start-up and switched
// off, and Ctrl+B plays the shipped piece.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/game_window.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/sheet.h"

namespace {

const char CannotPlayText[] =
    "MIDI\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x8d\xc4\x90\xb6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";  // MIDIファイルを再生できません

std::string Lower(std::string text)
{
    CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// The samples of a shipped wave file: what the device is given.
std::string WaveSamples(const std::string& name)
{
    const std::string wave = ReadWholeFile(ProgramFolder() + "Sound\\" + name);
    return wave.size() > 44 ? wave.substr(44) : std::string();
}

// The text of a list box's entry; empty when there is none.
std::string ListText(HWND list, int index)
{
    const std::vector<std::string> texts = ListTexts(list, LB_GETCOUNT, LB_GETTEXT);
    return index < static_cast<int>(texts.size()) ? texts[static_cast<std::size_t>(index)] : std::string();
}

void ClickListItem(HWND list, int index)
{
    RECT rect = ListItemRect(list, index);
    ClickPointer((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Settle(list, 200);
}

// The path of a tree item: its names from the drive down, as the browser joins them.
std::string TreePath(HWND tree, HTREEITEM item)
{
    std::string path;
    for (; item; item = reinterpret_cast<HTREEITEM>(SendWithin(tree, TVM_GETNEXTITEM, TVGN_PARENT,
                                                                reinterpret_cast<LPARAM>(item)))) {
        std::string name = TreeItemText(tree, item);
        if (name.empty() || name.back() != '\\')
            name += '\\';
        path = name + path;
    }
    return path;
}

HTREEITEM TreeItem(HWND tree, WPARAM which, HTREEITEM from = nullptr)
{
    return reinterpret_cast<HTREEITEM>(SendWithin(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from)));
}

class Sounds : public GameWindowTest {
protected:
    std::string capture = std::getenv("HANABO_CAPTURE") ? std::getenv("HANABO_CAPTURE") : "";

    // A working directory with the shipped Sound folder beside the settings.
    std::string DirectoryWithSounds()
    {
        std::string directory = MakeWorkDirectory();
        CreateDirectoryA((directory + "Sound").c_str(), nullptr);
        for (const char* name : {"tada.wav", "pin.wav", "ding.wav", "kira.wav", "poof.wav"})
            CopyFileA((ProgramFolder() + "Sound\\" + name).c_str(), (directory + "Sound\\" + name).c_str(), FALSE);
        return directory;
    }

    void ForgetCapture() { DeleteFileA(capture.c_str()); }

    // What the device received, once it holds expected (or after timeoutMs).
    std::string Captured(const std::string& expected, DWORD timeoutMs = 8000)
    {
        std::string got = ReadWholeFile(capture);
        for (DWORD waited = 0; waited < timeoutMs && got.find(expected) == std::string::npos; waited += 100) {
            Sleep(100);
            got = ReadWholeFile(capture);
        }
        return got;
    }

    // Clicks the largest group of the board (saved-game text) with mouse
    // messages; the board becomes the one after the move.
    void ClickGroup(std::string& board)
    {
        const BoardGroup move = LargestGroup(BoardOf(board));
        ASSERT_GE(move.size, 2);
        ClickCell(move.column, move.row);
        board = RunTool("play - " + MoveText(move), board);
    }

    // Select Sound opens from the Configuration dialog's "Select Sound..." button.
    HWND config = nullptr;
    HWND OpenSelectSound()
    {
        PostMessageA(program.window, WM_COMMAND, IDM_CONFIG, 0);
        config = WaitForDialog(program, "Configure Game");
        if (!config)
            return nullptr;
        Settle(config, 300);
        ClickControl(GetDlgItem(config, IDC_SELECTSOUND));
        HWND dialog = WaitForDialog(program, "Select Sound");
        if (dialog)
            Settle(dialog, 300);
        return dialog;
    }

    // Cancel in the Configuration dialog, once Select Sound is closed.
    void CloseConfig()
    {
        PostMessageA(config, WM_COMMAND, IDCANCEL, 0);
        WaitUntilClosed(config);
    }
};

TEST_F(Sounds, EventsAreHeardAndSelectSoundStoresTheNames)
{
    ASSERT_FALSE(capture.empty()) << "HANABO_CAPTURE names no capture file";
    const std::string directory = DirectoryWithSounds();
    const std::string tada = WaveSamples("tada.wav"), pin = WaveSamples("pin.wav");
    ASSERT_FALSE(pin.empty());
    ForgetCapture();
    ASSERT_NO_FATAL_FAILURE(Start("[Sound]\r\nSound=1\r\n", directory));

    // the first deal sounds Start, a click on a group sounds Click, sample for sample
    EXPECT_NE(Captured(tada).find(tada), std::string::npos) << "the Start sound did not arrive";
    Sleep(300);
    std::string board = RunTool("deal " + std::to_string(GameNumberOfTitle(WindowText(program.window))));
    ForgetCapture();
    ASSERT_NO_FATAL_FAILURE(ClickGroup(board));
    const std::string clicked = Captured(pin);
    ASSERT_NE(clicked.find(pin), std::string::npos) << "captured " << clicked.size() << " bytes, not pin.wav";
    int peak = 0;
    for (std::size_t i = 0; i + 1 < pin.size(); i += 2)
        peak = std::max(peak, std::abs(static_cast<int>(static_cast<short>((pin[i] & 0xFF) | (pin[i + 1] << 8)))));
    std::printf("captured after a click: %zu samples of pin.wav, peak amplitude %d of 32767\n", pin.size() / 2, peak);

    // Ctrl+M: a click is silent
    PressKeys(program.window, {VK_CONTROL, 'M'});
    Settle(program.window, 300);
    ForgetCapture();
    ASSERT_NO_FATAL_FAILURE(ClickGroup(board));
    Sleep(1500);
    EXPECT_TRUE(ReadWholeFile(capture).empty()) << "a sound arrived with the sound switched off";

    // Select Sound: the rows, the folder and its wave files
    HWND dialog = OpenSelectSound();
    ASSERT_NE(nullptr, dialog);
    HWND events = GetDlgItem(dialog, IDC_SOUND_EVENTS), waves = GetDlgItem(dialog, IDC_SOUND_WAVES);
    HWND folderBox = GetDlgItem(dialog, IDC_SOUND_FOLDER);
    EXPECT_EQ(ListText(events, 1), "Click           \tpin.wav");
    EXPECT_EQ(ListText(events, 6), "Select          \t");
    EXPECT_EQ(Lower(ControlText(folderBox)), Lower(directory + "Sound\\"));
    ASSERT_EQ(SendWithin(waves, LB_GETCOUNT, 0, 0), 5);
    ASSERT_EQ(ListText(waves, 1), "kira.wav");
    SaveScreenshot(dialog, ArtifactPath("select_sound.bmp"));

    // TEST plays the selected row's file with the sound switched off
    ClickListItem(events, 1);
    ForgetCapture();
    ClickControl(GetDlgItem(dialog, IDC_SOUND_TEST));
    EXPECT_NE(Captured(pin).find(pin), std::string::npos) << "TEST did not play pin.wav";

    // a file for Select, another folder, then Cancel: nothing changes
    ClickListItem(events, 6);
    ClickListItem(waves, 1);
    EXPECT_EQ(ListText(events, 6), "Select          \tkira.wav");
    const DWORD asked = GetTickCount();
    ClickControl(GetDlgItem(dialog, IDC_SOUND_CHANGEFOLDER));
    HWND browser = WaitForDialog(program, "Hanabo32-Select Folder");
    ASSERT_NE(nullptr, browser);
    std::printf("the folder browser opened in %lu ms\n", static_cast<unsigned long>(GetTickCount() - asked));
    HWND tree = GetDlgItem(browser, IDC_FOLDER_TREE);
    std::string roots;
    for (HTREEITEM item = TreeItem(tree, TVGN_ROOT); item; item = TreeItem(tree, TVGN_NEXT, item))
        roots += TreeItemText(tree, item) + "|";
    EXPECT_NE(roots.find("C:\\|"), std::string::npos) << roots;
    EXPECT_NE(roots.find("Z:\\|"), std::string::npos) << roots;
    // opened along the sound folder's path, down to the folder itself
    EXPECT_EQ(Lower(TreePath(tree, TreeItem(tree, TVGN_CARET))), Lower(directory + "Sound\\"));
    SaveScreenshot(browser, ArtifactPath("folder_browser.bmp"));
    // a key takes the selection to drive Z:, whose folders are listed at once
    PressKeys(browser, {'Z'});
    for (int waited = 0; TreeItemText(tree, TreeItem(tree, TVGN_CARET)) != "Z:\\" && waited < 5000; waited += 100)
        Sleep(100);
    ASSERT_EQ(TreeItemText(tree, TreeItem(tree, TVGN_CARET)), "Z:\\");
    EXPECT_NE(nullptr, TreeItem(tree, TVGN_CHILD, TreeItem(tree, TVGN_CARET)));
    ClickControl(GetDlgItem(browser, IDOK));
    WaitUntilClosed(browser);
    EXPECT_EQ(Lower(WaitForText(folderBox, "z:\\")), "z:\\");
    EXPECT_EQ(SendWithin(waves, LB_GETCOUNT, 0, 0), 0);
    ClickControl(GetDlgItem(dialog, IDCANCEL));
    WaitUntilClosed(dialog);
    ASSERT_FALSE(IsWindow(dialog));
    CloseConfig();

    // again: Cancel kept the rows; a file for Select, none for Message, the
    // folder chosen again, OK
    dialog = OpenSelectSound();
    ASSERT_NE(nullptr, dialog);
    events = GetDlgItem(dialog, IDC_SOUND_EVENTS);
    waves = GetDlgItem(dialog, IDC_SOUND_WAVES);
    folderBox = GetDlgItem(dialog, IDC_SOUND_FOLDER);
    EXPECT_EQ(ListText(events, 6), "Select          \t");
    EXPECT_EQ(Lower(ControlText(folderBox)), Lower(directory + "Sound\\"));
    ClickListItem(events, 6);
    ClickListItem(waves, 1);
    ClickListItem(events, 5);
    ClickControl(GetDlgItem(dialog, IDC_SOUND_NONE));
    Settle(dialog, 200);
    EXPECT_EQ(ListText(events, 5), "Message         \t");
    EXPECT_EQ(ListText(events, 6), "Select          \tkira.wav");
    ClickControl(GetDlgItem(dialog, IDC_SOUND_CHANGEFOLDER));
    browser = WaitForDialog(program, "Hanabo32-Select Folder");
    ASSERT_NE(nullptr, browser);
    ClickControl(GetDlgItem(browser, IDOK));
    WaitUntilClosed(browser);
    EXPECT_EQ(Lower(ControlText(folderBox)), Lower(directory + "Sound\\"));
    ClickControl(GetDlgItem(dialog, IDOK));
    WaitUntilClosed(dialog);
    CloseConfig();

    PressKeys(program.window, {VK_CONTROL, 'X'});
    EXPECT_EQ(WaitForExit(program), 0);
    const std::string ini = ReadWholeFile(directory + "Hanabo.ini");
    EXPECT_NE(ini.find("Sound=0\r\n"), std::string::npos) << ini;
    EXPECT_NE(Lower(ini).find(Lower("Path=" + directory + "Sound\\\r\n")), std::string::npos) << ini;
    EXPECT_NE(ini.find("\r\nClick=pin.wav\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("\r\nMessage=\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("\r\nSelect=kira.wav\r\n"), std::string::npos) << ini;
}

TEST_F(Sounds, MusicThatCannotPlayIsReportedAtStartUpAndSwitchedOff)
{
    const std::string directory = MakeWorkDirectory();
    const std::string missing = directory + "missing.mid";
    std::string settings = "[Sound]\r\nBGM=1\r\nMIDI=" + missing + "\r\n";
    std::ofstream(directory + "Hanabo.ini", std::ios::binary) << settings;
    ASSERT_TRUE(LaunchProgram(program, directory));

    // the message comes before the main window shows
    HWND box = WaitForDialog(program, "Hanabo32-Error", 30000);
    ASSERT_NE(nullptr, box);
    for (HWND main : TopLevelWindows("Hanabo32", program.process.dwProcessId))
        EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_NE(DialogTexts(box).find(CannotPlayText), std::string::npos) << DialogTexts(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForMainWindow(program));

    // Ctrl+B asks for a MIDI file; cancelled, the music stays off
    PressKeys(program.window, {VK_CONTROL, 'B'});
    HWND chooser = WaitForWindow(program, "#32770");
    ASSERT_NE(nullptr, chooser);
    Settle(chooser, 300);
    HWND filter = FindChild(chooser, "ComboBox", 0x470);  // cmb1, the file types
    ASSERT_NE(nullptr, filter);
    EXPECT_EQ(ControlText(filter), "MIDI File");
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    WaitUntilClosed(chooser);
    Settle(program.window, 300);
    EXPECT_EQ(WaitForDialog(program, "Hanabo32-Error", 500), nullptr);

    // still off, so Ctrl+B asks again; the shipped piece plays without a word,
    // through a minimise and a restore, until Ctrl+B stops it
    const std::string piece = directory + "Hanabo.mid";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "Hanabo.mid").c_str(), piece.c_str(), FALSE));
    PressKeys(program.window, {VK_CONTROL, 'B'});
    chooser = WaitForWindow(program, "#32770");
    ASSERT_NE(nullptr, chooser);
    Settle(chooser, 300);
    HWND name = FileNameBox(chooser);
    ASSERT_NE(nullptr, name);
    SendWithin(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(piece.c_str()));
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    WaitUntilClosed(chooser);
    EXPECT_EQ(WaitForDialog(program, "Hanabo32-Error", 1500), nullptr) << "the shipped piece did not play";
    PressKeys(program.window, {VK_ESCAPE});
    Settle(program.window, 300);
    EXPECT_TRUE(IsIconic(program.window));
    SendWithin(program.window, WM_SYSCOMMAND, SC_RESTORE, 0);
    Settle(program.window, 300);
    EXPECT_FALSE(IsIconic(program.window));
    PressKeys(program.window, {VK_CONTROL, 'B'});
    Settle(program.window, 300);
    EXPECT_EQ(WaitForDialog(program, "Hanabo32-Error", 300), nullptr);

    PressKeys(program.window, {VK_CONTROL, 'X'});
    EXPECT_EQ(WaitForExit(program), 0);
    const std::string ini = ReadWholeFile(directory + "Hanabo.ini");
    EXPECT_NE(ini.find("\r\nBGM=0\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("\r\nMIDI=" + piece + "\r\n"), std::string::npos) << ini;
}

}  // namespace
