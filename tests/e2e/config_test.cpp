// The Configuration dialog as a player meets it, with the real pointer and
// keys: the sheet's shape changed through cell sizes, presets and scroll bars,
// OK with and without a change, Cancel, the blank cell and its preview, Clear
// Records, the file choices, Select Sound, the road set and a campaign.
// Last, the release zip unpacked into a fresh folder and played from there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "display/bitmap.h"
#include "resources/resource.h"
#include "tests/e2e/game_window.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/sheet.h"

namespace {

const char Caption[] = "Configure Game";

std::string Counts(int columns, int rows)
{
    return std::to_string(columns) + " Column(\x97\xf1)  " + std::to_string(rows) + " Row(\x8d\x73)";  // 列, 行
}

class Config : public GameWindowTest {
protected:
    HWND dialog = nullptr;

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    bool Checked(int id) const { return SendWithin(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    std::string Text(int id) const { return ControlText(Item(id)); }

    // Opens the dialog by the toolbar's Config button or by the menu bar's
    // "Config(&C)" with Alt+C.
    void Open(bool byToolbar)
    {
        SetForegroundWindow(program.window);
        if (byToolbar) {
            RECT button = ToolbarButtonRect(toolbar, IDM_CONFIG);
            ASSERT_FALSE(IsRectEmpty(&button));
            ClickPointer((button.left + button.right) / 2, (button.top + button.bottom) / 2);
        } else {
            PressKeys(program.window, {VK_MENU, 'C'});
        }
        dialog = WaitForDialog(program, Caption);
        ASSERT_NE(nullptr, dialog);
        Settle(dialog, 300);
    }

    // Clicks a control of the dialog and lets the dialog handle it.
    void Press(int id)
    {
        ClickControl(Item(id));
        Settle(dialog, 150);
    }

    void Close(int button)
    {
        Press(button);
        WaitUntilClosed(dialog);
        ASSERT_FALSE(IsWindow(dialog));
        Settle(program.window, 300);
    }

    // The cell's middle on the screen.
    POINT CellOnScreen(int column, int row, int ts)
    {
        POINT at = CellPoint(column, row, ts);
        ClientToScreen(program.window, &at);
        return at;
    }

    // Removes the largest group of the dealt board with the real pointer.
    void PlayLargestGroup(int ts)
    {
        const BoardGroup move =
            LargestGroup(BoardOf(RunTool("deal " + std::to_string(GameNumberOfTitle(WindowText(program.window))))));
        ASSERT_GE(move.size, 2);
        const POINT at = CellOnScreen(move.column, move.row, ts);
        MovePointer(at.x, at.y);
        Settle(program.window, 200);
        ClickPointer(at.x, at.y);
        Settle(program.window, 300);
        MovePointer(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    }

    // A scroll bar's range (the bar answers in the program's process).
    std::pair<int, int> Range(int id)
    {
        int low = -1, high = -1;
        SendMessageA(Item(id), SBM_GETRANGE, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        return {low, high};
    }

    // A file dialog that the dialog opened, over it: its file type, then the
    // name typed and confirmed (cancelled when name is empty).
    std::string ChooseFile(int button, const std::string& name)
    {
        ClickControl(Item(button));
        HWND chooser = nullptr;
        for (DWORD waited = 0; !chooser && waited < WindowWait; waited += 50) {
            for (HWND window : TopLevelWindows("#32770", program.process.dwProcessId))
                if (GetWindow(window, GW_OWNER) == dialog && IsWindowVisible(window))
                    chooser = window;
            Sleep(50);
        }
        if (!chooser)
            return "no file dialog";
        Settle(chooser, 300);
        HWND filter = FindChild(chooser, "ComboBox", 0x470);  // cmb1, the file types
        const std::string type = filter ? ControlText(filter) : "";
        if (name.empty()) {
            PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
        } else {
            HWND box = FileNameBox(chooser);
            if (box)
                SendWithin(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
            PostMessageA(chooser, WM_COMMAND, IDOK, 0);
        }
        WaitUntilClosed(chooser);
        Settle(dialog, 300);
        return type;
    }

    // The preview's pixels on the screen: 32 x 32, 40 pixels above the
    // "Blank Cell" button, at its left edge.
    std::vector<std::uint32_t> Preview()
    {
        RECT button, frame, client;
        GetWindowRect(Item(IDC_CFG_BLANKCELL), &button);
        GetWindowRect(dialog, &frame);
        GetClientRect(dialog, &client);
        POINT at = {button.left - frame.left,
                    button.top - frame.top - ((frame.bottom - frame.top) - client.bottom) - 40};
        ClientToScreen(dialog, &at);
        RECT rect = {at.x, at.y, at.x + 32, at.y + 32};
        return ScreenPixels(rect);
    }

    // A 32 x 32 square of a picture file at (left, 0).
    static std::vector<std::uint32_t> PictureSquare(const std::string& path, int left)
    {
        const std::string bytes = ReadWholeFile(path);
        Bitmap picture;
        std::vector<std::uint32_t> square;
        if (!ReadBitmap(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &picture))
            return square;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                square.push_back(BitmapPixel(picture, left + x, y));
        return square;
    }

    // Saves the screen around the main window and the dialog over it.
    void SaveDialogOverGame(const std::string& name)
    {
        RECT main, box, both;
        GetWindowRect(program.window, &main);
        GetWindowRect(dialog, &box);
        UnionRect(&both, &main, &box);
        SaveScreenRect(both, ArtifactPath(name));
    }

    std::string ClientWidthHeight()
    {
        RECT client;
        GetClientRect(program.window, &client);
        return std::to_string(client.right) + "x" + std::to_string(client.bottom);
    }
};

TEST_F(Config, ShapeChangesApplyOnOkAndCancelKeepsTheOldOne)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string title = WindowText(program.window);
    ASSERT_NO_FATAL_FAILURE(PlayLargestGroup(32));
    ASSERT_EQ("1(1) Click", ControlText(counter));

    // what opens: the settings as they are
    ASSERT_NO_FATAL_FAILURE(Open(true));
    EXPECT_EQ(Counts(16, 12), Text(IDC_CFG_COUNTS));
    EXPECT_TRUE(Checked(IDC_CFG_CELL4 + 3));       // Normal (32dot)
    EXPECT_TRUE(Checked(IDC_CFG_SHEETNORMAL));
    EXPECT_TRUE(Checked(IDC_CFG_NUMBER5));
    EXPECT_TRUE(Checked(IDC_CFG_NORMAL));
    EXPECT_TRUE(Checked(IDC_CFG_TOOLBAR) && Checked(IDC_CFG_SCOREBAR) && Checked(IDC_CFG_AUTO));
    EXPECT_FALSE(Enabled(IDC_CFG_AUTO) || Enabled(IDC_CFG_SHIFT));   // both bars are on
    EXPECT_FALSE(Enabled(IDC_CFG_CUSTOMIZE));
    EXPECT_FALSE(Enabled(IDC_CFG_BLANKCELL));     // the built-in tiles have one blank cell
    EXPECT_TRUE(Enabled(IDC_CFG_NUMBER3) && Enabled(IDC_CFG_BITMAPOPTION));
    EXPECT_EQ(std::make_pair(8, 30), Range(IDC_CFG_COLUMNBAR));
    EXPECT_EQ(std::make_pair(6, 20), Range(IDC_CFG_ROWBAR));
    EXPECT_EQ("Blank Cell 1", WindowText(Item(IDC_CFG_BLANKCELL)));
    SaveDialogOverGame("config_dialog.bmp");

    // OK without a change: the same game and its move, which Undo takes back
    ASSERT_NO_FATAL_FAILURE(Close(IDOK));
    EXPECT_EQ(title, WindowText(program.window));
    EXPECT_EQ("1(1) Click", ControlText(counter));
    PressKeys(program.window, {VK_CONTROL, 'U'});
    Settle(program.window, 300);
    EXPECT_EQ("0(1) Click", ControlText(counter));

    // 64-pixel cells keep the 512 x 384 sheet: 8 x 6, the Normal preset by its pixels
    ASSERT_NO_FATAL_FAILURE(Open(false));
    Press(IDC_CFG_CELL64);
    EXPECT_EQ(Counts(8, 6), Text(IDC_CFG_COUNTS));
    EXPECT_EQ(std::make_pair(4, 15), Range(IDC_CFG_COLUMNBAR));
    EXPECT_EQ(std::make_pair(3, 10), Range(IDC_CFG_ROWBAR));
    EXPECT_TRUE(Checked(IDC_CFG_SHEETNORMAL));
    EXPECT_FALSE(Checked(IDC_CFG_SHEETSMALL));

    // the bars: an arrow steps one, the track a page of five, the thumb
    // dragged past the end stops at the last count
    RECT bar;
    GetWindowRect(Item(IDC_CFG_COLUMNBAR), &bar);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL), thumb = GetSystemMetrics(SM_CXHTHUMB);
    const int middle = (bar.top + bar.bottom) / 2;
    ClickPointer(bar.right - arrow / 2, middle);
    Settle(dialog, 200);
    EXPECT_EQ(Counts(9, 6), Text(IDC_CFG_COUNTS));
    ClickPointer(bar.right - 2 * arrow, middle);
    Settle(dialog, 200);
    EXPECT_EQ(Counts(14, 6), Text(IDC_CFG_COUNTS));
    ClickPointer(bar.left + arrow / 2, middle);
    Settle(dialog, 200);
    EXPECT_EQ(Counts(13, 6), Text(IDC_CFG_COUNTS));
    EXPECT_TRUE(Checked(IDC_CFG_CUSTOMIZE));
    RECT rowBar;
    GetWindowRect(Item(IDC_CFG_ROWBAR), &rowBar);
    const int rowMiddle = (rowBar.top + rowBar.bottom) / 2;
    // row 6 of 3..10: the thumb stands at 3/7 of the track
    const int track = rowBar.right - rowBar.left - 2 * arrow;
    const int thumbX = rowBar.left + arrow + thumb / 2 + (track - thumb) * 3 / 7;
    MovePointer(thumbX, rowMiddle);
    SetCursorPos(thumbX, rowMiddle);
    INPUT press = {};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &press, sizeof press);
    Settle(dialog, 100);
    // to the far end of the track, then let go there
    const int end = rowBar.right - arrow - thumb / 2;
    for (int x = thumbX; x <= end; x += 8) {
        MovePointer(x, rowMiddle);
        Sleep(30);
    }
    MovePointer(end, rowMiddle);
    SetCursorPos(end, rowMiddle);
    Sleep(200);
    press.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &press, sizeof press);
    EXPECT_EQ(Counts(13, 10), WaitForText(Item(IDC_CFG_COUNTS), Counts(13, 10)));
    Settle(dialog, 300);

    // a preset puts both bars to its counts; OK deals a new 8 x 6 game
    Press(IDC_CFG_SHEETNORMAL);
    EXPECT_EQ(Counts(8, 6), Text(IDC_CFG_COUNTS));
    EXPECT_TRUE(Checked(IDC_CFG_SHEETNORMAL));
    ASSERT_NO_FATAL_FAILURE(Close(IDOK));
    EXPECT_NE(title, WindowText(program.window));
    EXPECT_EQ("0(0) Click", ControlText(counter));
    RECT client;
    GetClientRect(program.window, &client);
    EXPECT_EQ(8 * 64 + 4, client.right);
    const std::string size = ClientWidthHeight();
    const std::string newTitle = WindowText(program.window);

    // 48-pixel cells, the bars moved, then the Normal preset: 10 x 8 is not
    // 512 x 384, so Customize shows; Cancel keeps the 64-pixel sheet and the
    // other choices
    ASSERT_NO_FATAL_FAILURE(Open(true));
    Press(IDC_CFG_CELL4 + 4);
    EXPECT_EQ(Counts(10, 8), Text(IDC_CFG_COUNTS));
    ClickPointer(bar.right - arrow / 2, middle);
    Settle(dialog, 200);
    EXPECT_EQ(Counts(11, 8), Text(IDC_CFG_COUNTS));
    Press(IDC_CFG_SHEETNORMAL);
    EXPECT_EQ(Counts(10, 8), Text(IDC_CFG_COUNTS));
    EXPECT_TRUE(Checked(IDC_CFG_CUSTOMIZE));
    EXPECT_FALSE(Checked(IDC_CFG_SHEETNORMAL));
    Press(IDC_CFG_SLOW);
    Press(IDC_CFG_TOOLBAR);
    EXPECT_TRUE(Enabled(IDC_CFG_AUTO) && Enabled(IDC_CFG_SHIFT));
    ASSERT_NO_FATAL_FAILURE(Close(IDCANCEL));
    EXPECT_EQ(newTitle, WindowText(program.window));
    EXPECT_EQ(size, ClientWidthHeight());
    EXPECT_TRUE(IsWindowVisible(toolbar));

    // reopened: as before; now the other choices go through OK
    ASSERT_NO_FATAL_FAILURE(Open(false));
    EXPECT_TRUE(Checked(IDC_CFG_CELL64));
    EXPECT_EQ(Counts(8, 6), Text(IDC_CFG_COUNTS));
    EXPECT_TRUE(Checked(IDC_CFG_NORMAL));
    EXPECT_TRUE(Checked(IDC_CFG_TOOLBAR));
    Press(IDC_CFG_SLOW);
    Press(IDC_CFG_TOOLBAR);
    Press(IDC_CFG_SHIFT);
    Press(IDC_CFG_SCOREOPTION);
    Press(IDC_CFG_NUMBER3 + 1);
    ASSERT_NO_FATAL_FAILURE(Close(IDOK));
    EXPECT_FALSE(IsWindowVisible(toolbar));
    EXPECT_NE(newTitle, WindowText(program.window));   // four kinds: a new game

    PressKeys(program.window, {VK_CONTROL, 'X'});
    EXPECT_EQ(0, WaitForExit(program));
    const std::string ini = ReadWholeFile(program.directory + "Hanabo.ini");
    for (const char* line : {"SheetSizeX=8\r\n", "SheetSizeY=6\r\n", "CellSize=64\r\n", "CellNo=4\r\n",
                             "AnimIntrvl=100\r\n", "ToolBar=0\r\n", "ScoreBar=1\r\n", "ScoreOption=1\r\n",
                             "BarOptionAuto=0\r\n"})
        EXPECT_NE(std::string::npos, ini.find(line)) << line << ini;
}

TEST_F(Config, ActionsAtOnceBlankCellRecordsFilesAndTheRoadSet)
{
    const std::string directory = MakeWorkDirectory();
    const std::string jewels = directory + "Jewels32.bmp", road = directory + "Road.bmp";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "Jewels32.bmp").c_str(), jewels.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "Road.bmp").c_str(), road.c_str(), FALSE));
    std::ofstream(directory + "broken.bmp", std::ios::binary) << "BM not a picture";
    const std::string settings = "[system]\r\nBitmap=" + jewels + "\r\n\r\n[S16x12(5)]\r\n"
                                 "Tester (24/01/02 03:04:05)=1234\r\n\r\n";
    ASSERT_NO_FATAL_FAILURE(Start(settings, directory));
    const std::string ini = ReadWholeFile(directory + "Hanabo.ini");

    // the blank cell: five presses come back to the first, the preview
    // showing each frame of the picture's top row
    ASSERT_NO_FATAL_FAILURE(Open(true));
    ASSERT_TRUE(Enabled(IDC_CFG_BLANKCELL));
    EXPECT_EQ("Blank Cell 1", WindowText(Item(IDC_CFG_BLANKCELL)));
    EXPECT_EQ(PictureSquare(jewels, 0), Preview());
    std::string labels;
    for (int press = 1; press <= 5; ++press) {
        Press(IDC_CFG_BLANKCELL);
        labels += WindowText(Item(IDC_CFG_BLANKCELL)) + "|";
        EXPECT_EQ(PictureSquare(jewels, 32 * (press % 5)), Preview()) << press;
    }
    EXPECT_EQ("Blank Cell 2|Blank Cell 3|Blank Cell 4|Blank Cell 5|Blank Cell 1|", labels);
    Press(IDC_CFG_BLANKCELL);
    ASSERT_NO_FATAL_FAILURE(Close(IDCANCEL));

    // the Record dialog shows the file's records until Clear Records empties it
    const RECT recordButton = ToolbarButtonRect(toolbar, IDM_RECORD);
    ClickPointer((recordButton.left + recordButton.right) / 2, (recordButton.top + recordButton.bottom) / 2);
    HWND records = WaitForDialog(program, "Hanabo32-Record");
    ASSERT_NE(nullptr, records);
    Settle(records, 200);
    HWND scores = GetDlgItem(records, IDC_RECORD_SCORES);
    EXPECT_GE(SendWithin(scores, LB_GETCOUNT, 0, 0), 1);

    // Clear Records: Cancel changes nothing, OK keeps the whole file as Hanabo.bak
    ASSERT_NO_FATAL_FAILURE(Open(false));
    EXPECT_EQ("Blank Cell 2", WindowText(Item(IDC_CFG_BLANKCELL)));   // Cancel kept it
    ClickControl(Item(IDC_CFG_CLEARRECORDS));
    HWND question = WaitForDialog(program, "Hanabo32");
    ASSERT_NE(nullptr, question);
    const std::string asked = "\x8d\xa1\x82\xdc\x82\xc5\x82\xcc\x8b\x4c\x98\x5e\x82\xcd" + directory +
                              "Hanabo.bak\x82\xc9\x95\xdb\x91\xb6\x82\xb3\x82\xea\x82\xdc\x82\xb7";  // 今までの記録は%sに保存されます
    EXPECT_NE(std::string::npos, DialogTexts(question).find(asked)) << DialogTexts(question);
    PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
    WaitUntilClosed(question);
    Settle(dialog, 200);
    EXPECT_EQ(ini, ReadWholeFile(directory + "Hanabo.ini"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((directory + "Hanabo.bak").c_str()));
    ClickControl(Item(IDC_CFG_CLEARRECORDS));
    question = WaitForDialog(program, "Hanabo32");
    ASSERT_NE(nullptr, question);
    PostMessageA(question, WM_COMMAND, IDOK, 0);
    WaitUntilClosed(question);
    Settle(dialog, 200);
    EXPECT_EQ(ini, ReadWholeFile(directory + "Hanabo.bak"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((directory + "Hanabo.ini").c_str()));
    EXPECT_EQ(0, SendWithin(scores, LB_GETCOUNT, 0, 0));
    EXPECT_EQ("Edit", ControlText(GetDlgItem(records, IDC_RECORD_HEADING)));

    // Select Sound opens over the dialog; the music's file choice, cancelled, changes nothing
    ClickControl(Item(IDC_SELECTSOUND));
    HWND sounds = WaitForDialog(program, "Select Sound");
    ASSERT_NE(nullptr, sounds);
    EXPECT_EQ(dialog, GetWindow(sounds, GW_OWNER));
    PostMessageA(sounds, WM_COMMAND, IDCANCEL, 0);
    WaitUntilClosed(sounds);
    const std::string music = Text(IDC_CFG_MIDIPATH);
    EXPECT_EQ("MIDI File", ChooseFile(IDC_CFG_BGMFILE, ""));
    EXPECT_EQ(music, Text(IDC_CFG_MIDIPATH));
    EXPECT_FALSE(Checked(IDC_CFG_BGM));

    // the road set: ZededUdoz at once, the Number radios and Bitmap Option greyed
    EXPECT_EQ("Bitmap", ChooseFile(IDC_CFG_BITMAP, road));
    EXPECT_EQ(0u, WindowText(program.window).rfind("ZededUdoz", 0)) << WindowText(program.window);
    EXPECT_EQ(road, Text(IDC_CFG_BITMAPPATH));
    EXPECT_FALSE(Enabled(IDC_CFG_NUMBER3) || Enabled(IDC_CFG_NUMBER3 + 1) || Enabled(IDC_CFG_NUMBER5));
    EXPECT_FALSE(Enabled(IDC_CFG_BITMAPOPTION));
    EXPECT_FALSE(Enabled(IDC_CFG_BLANKCELL));
    EXPECT_TRUE(Checked(IDC_CFG_NUMBER5));

    // a file that is no picture gives the built-in tiles without a word
    EXPECT_EQ("Bitmap", ChooseFile(IDC_CFG_BITMAP, directory + "broken.bmp"));
    EXPECT_EQ(0u, WindowText(program.window).rfind("IroGame", 0)) << WindowText(program.window);
    EXPECT_TRUE(Enabled(IDC_CFG_NUMBER3) && Enabled(IDC_CFG_BITMAPOPTION));
    EXPECT_FALSE(Enabled(IDC_CFG_BLANKCELL));
    EXPECT_EQ(nullptr, WaitForDialog(program, "Hanabo32-Error", 300));
    const std::string game = WindowText(program.window);
    ASSERT_NO_FATAL_FAILURE(Close(IDOK));
    EXPECT_EQ(game, WindowText(program.window));

    PressKeys(program.window, {VK_CONTROL, 'X'});
    EXPECT_EQ(0, WaitForExit(program));
    const std::string written = ReadWholeFile(directory + "Hanabo.ini");
    EXPECT_NE(std::string::npos, written.find("BlankCell=1\r\n")) << written;
    EXPECT_NE(std::string::npos, written.find("Bitmap=" + directory + "broken.bmp\r\n")) << written;
    EXPECT_EQ(std::string::npos, written.find("Tester")) << written;
}

TEST_F(Config, ACampaignGreysNewAndTheSheetsShape)
{
    // a Hanabo.bak that cannot be replaced: a folder of that name
    const std::string directory = MakeWorkDirectory();
    ASSERT_TRUE(CreateDirectoryA((directory + "Hanabo.bak").c_str(), nullptr));
    std::ofstream(directory + "Hanabo.bak\\kept.txt", std::ios::binary) << "kept";
    ASSERT_NO_FATAL_FAILURE(Start("[system]\r\nCampaign=1\r\nCampaignNo=1\r\n\r\n[S16x12(5)]\r\n"
                                  "Tester (24/01/02 03:04:05)=1234\r\n\r\n",
                                  directory));
    const std::string title = WindowText(program.window);
    const std::string ini = ReadWholeFile(directory + "Hanabo.ini");

    // New and its key are greyed; the keys of other commands still act.
    ASSERT_NO_FATAL_FAILURE(PlayLargestGroup(32));
    ASSERT_EQ("1(1) Click", ControlText(counter));
    PressKeys(program.window, {VK_CONTROL, 'N'});
    Settle(program.window, 300);
    EXPECT_EQ("1(1) Click", ControlText(counter));
    EXPECT_EQ(title, WindowText(program.window));
    PressKeys(program.window, {VK_CONTROL, 'A'});
    Settle(program.window, 300);
    EXPECT_EQ("0(1) Click", ControlText(counter));

    ASSERT_NO_FATAL_FAILURE(Open(true));
    for (int id = IDC_CFG_CELL4; id <= IDC_CFG_NUMBER5; ++id)
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(IDC_CFG_SCOREOPTION));
    EXPECT_FALSE(Enabled(IDC_CFG_COLUMNBAR) || Enabled(IDC_CFG_ROWBAR));
    EXPECT_TRUE(Enabled(IDC_CFG_NORMAL) && Enabled(IDC_CFG_SOUND) && Enabled(IDC_CFG_BITMAPOPTION));
    EXPECT_TRUE(Enabled(IDC_CFG_BITMAP) && Enabled(IDC_CFG_CLEARRECORDS));

    // another tile set keeps the number of kinds greyed while the campaign runs
    EXPECT_EQ("Bitmap", ChooseFile(IDC_CFG_BITMAP, ProgramFolder() + "Jewels32.bmp"));
    EXPECT_TRUE(Enabled(IDC_CFG_BLANKCELL));
    EXPECT_FALSE(Enabled(IDC_CFG_NUMBER3) || Enabled(IDC_CFG_NUMBER5));

    // Clear Records whose backup cannot be written: the file and its records
    // stay where they were, and the program goes on
    ClickControl(Item(IDC_CFG_CLEARRECORDS));
    HWND question = WaitForDialog(program, "Hanabo32");
    ASSERT_NE(nullptr, question);
    PostMessageA(question, WM_COMMAND, IDOK, 0);
    WaitUntilClosed(question);
    Settle(dialog, 300);
    EXPECT_EQ(ini, ReadWholeFile(directory + "Hanabo.ini"));
    EXPECT_EQ("kept", ReadWholeFile(directory + "Hanabo.bak\\kept.txt"));
    EXPECT_EQ(nullptr, WaitForDialog(program, "Hanabo32-Error", 300));
    ASSERT_NO_FATAL_FAILURE(Close(IDOK));
    EXPECT_EQ(title, WindowText(program.window));
}

// The release: unpacked into a fresh folder (by the test script, with the
// 64-bit program standing in for the 32-bit one), started there, it finds its
// tile sets and sounds beside it and keeps its settings there.
TEST_F(Config, TheUnpackedReleasePlays)
{
    const char* dist = std::getenv("HANABO_DIST");
    if (!dist || !*dist)
        GTEST_SKIP() << "no release was unpacked (run make e2e)";
    const std::string folder = dist;
    for (const char* name : {"Hanabo.hlp", "Hanabo.mid", "Road.bmp", "Jewels32.bmp", "Sound\\tada.wav",
                             "Sound\\pin.wav", "ReadmeE.txt"})
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + name).c_str())) << name;
    const std::string readme = ReadWholeFile(folder + "Readme.txt");
    EXPECT_NE(std::string::npos, readme.find("\x97\x56\x82\xd1\x95\xfb")) << "no Shift-JIS 遊び方 in Readme.txt";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "Hanabo.ini").c_str()));

    const char* captureName = std::getenv("HANABO_CAPTURE");
    const std::string capture = captureName ? captureName : "";
    DeleteFileA(capture.c_str());
    std::ofstream(folder + "Hanabo.ini", std::ios::binary) << "[Sound]\r\nSound=1\r\n";
    program.exe = folder + "Hanabo32.exe";
    ASSERT_NO_FATAL_FAILURE(Start("", folder));
    // the Start sound comes from the release's own Sound folder
    const std::string wave = ReadWholeFile(folder + "Sound\\tada.wav");
    ASSERT_GT(wave.size(), 44u);
    std::string heard;
    for (int waited = 0; waited < 8000 && heard.find(wave.substr(44)) == std::string::npos; waited += 100) {
        Sleep(100);
        heard = ReadWholeFile(capture);
    }
    EXPECT_NE(std::string::npos, heard.find(wave.substr(44))) << "the Start sound did not arrive";

    // a tile set of the release, chosen by its name in the folder the choice starts in
    ASSERT_NO_FATAL_FAILURE(Open(true));
    EXPECT_EQ("Bitmap", ChooseFile(IDC_CFG_BITMAP, "Jewels32.bmp"));
    EXPECT_EQ(folder + "Jewels32.bmp", Text(IDC_CFG_BITMAPPATH));
    EXPECT_TRUE(Enabled(IDC_CFG_BLANKCELL));
    ASSERT_NO_FATAL_FAILURE(Close(IDOK));
    ASSERT_NO_FATAL_FAILURE(PlayLargestGroup(32));
    EXPECT_EQ("1(1) Click", WaitForText(counter, "1(1) Click"));

    PressKeys(program.window, {VK_CONTROL, 'X'});
    EXPECT_EQ(0, WaitForExit(program));
    const std::string ini = ReadWholeFile(folder + "Hanabo.ini");
    EXPECT_NE(std::string::npos, ini.find("Bitmap=" + folder + "Jewels32.bmp\r\n")) << ini;
}

}  // namespace
