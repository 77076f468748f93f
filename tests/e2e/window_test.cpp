// The main window and the board on it, checked pixel for pixel against the
// picture board-picture draws: in one program run the dealt board and the bars
// around it, the Help menu's About box and help viewer, a second start and the
// way out when the settings cannot be replaced; the road set on the narrowest
// board; an animated set.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "display/layout.h"
#include "tests/e2e/game_window.h"

namespace {

const char NotReplacedText[] =
    "Hanabo.ini\x82\xaa\x8d\x58\x90\x56\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81\x42\x90\xdd\x92\xe8\x82\xcd"
    "Hanabo.tmp\x82\xc9\x8e\x63\x82\xb5\x82\xdc\x82\xb5\x82\xbd";  // Hanabo.iniが更新できません。設定はHanabo.tmpに残しました

// The text of the help viewer's panes (rich edit controls of another process).
std::string ViewerText(HWND viewer)
{
    std::string all;
    EnumChildWindows(
        viewer,
        [](HWND pane, LPARAM data) -> BOOL {
            char name[64] = "";
            GetClassNameA(pane, name, sizeof name);
            std::vector<char> text(65536);
            if (std::string(name).compare(0, 8, "RichEdit") == 0)
                SendWithin(pane, WM_GETTEXT, text.size() - 1, reinterpret_cast<LPARAM>(text.data()));
            *reinterpret_cast<std::string*>(data) += text.data();
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

class Window : public GameWindowTest {
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

    // Help(&H) > Version(&V): the About box, centred on the main window, or
    // at the screen's corner when that would put it off the screen.
    void CheckAboutBox(bool partlyOffScreen)
    {
        MenuItem('H', 'V');
        Dialog box = OpenedDialog(program, "Hanabo32-Version\x8f\xee\x95\xf1");  // Hanabo32-Version情報
        ASSERT_NE(nullptr, box.window);
        EXPECT_NE(std::string::npos, DialogTexts(box.window).find("Version 0.96|")) << DialogTexts(box.window);
        RECT main, own;
        GetWindowRect(program.window, &main);
        GetWindowRect(box.window, &own);
        if (partlyOffScreen) {
            EXPECT_EQ(0, own.left);
            EXPECT_EQ(0, own.top);
        } else {
            EXPECT_NEAR((main.left + main.right) / 2, (own.left + own.right) / 2, 1);
            EXPECT_NEAR((main.top + main.bottom) / 2, (own.top + own.bottom) / 2, 1);
            SaveScreenshot(box.window, ArtifactPath("about.bmp"));
        }
        EXPECT_TRUE(box.Answer(IDOK));
    }

    // Help(&H) > Help(&H) on a system that has the help viewer (Wine telling
    // the program it runs on Windows 7): the viewer shows Hanabo.hlp of the
    // working directory.
    void CheckHelp()
    {
        ASSERT_TRUE(TopLevelWindows("MS_WINHELP").empty()) << "no help viewer runs yet";
        MenuItem('H', 'H');
        HWND viewer = WaitForWindow(RunningProgram(), "MS_WINHELP", 30000);
        ASSERT_NE(nullptr, viewer) << "the help viewer's window appears";
        DWORD viewerProcess = 0;
        GetWindowThreadProcessId(viewer, &viewerProcess);
        EXPECT_NE(program.process.dwProcessId, viewerProcess);
        RunningProgram help;  // so that the viewer does not outlive the case
        help.process.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, viewerProcess);
        for (DWORD waited = 0; waited < WindowWait && ViewerText(viewer).find("Hanabo32 Help") != 0; waited += 100)
            Sleep(100);
        const std::string text = ViewerText(viewer);
        EXPECT_EQ(0u, text.find("Hanabo32 Help")) << "the contents topic is shown";
        EXPECT_NE(std::string::npos, text.find("Hanabo32\x82\xcd")) << "and its Japanese text";  // Hanabo32は
        SaveScreenshot(viewer, ArtifactPath("help.bmp"));
        PostMessageA(viewer, WM_CLOSE, 0, 0);
        WaitForExit(help, 5000);
        StopProgram(help);

        // Opened at a topic by its id, the viewer finds it through the help
        // file's context tree: one from the middle, and the last.
        const struct {
            const char* id;
            const char* title;
        } topics[] = {
            {"commands", "\x83\x81\x83\x6a\x83\x85\x81\x5b\x82\xc6\x83\x4c\x81\x5b\x91\x80\x8d\xec\x81\x69"
                         "Menus, keys and bars\x81\x6a"},  // メニューとキー操作（Menus, keys and bars）
            {"files", "\x83\x74\x83\x40\x83\x43\x83\x8b\x81\x69" "Files\x81\x6a"},  // ファイル（Files）
        };
        for (const auto& topic : topics) {
            RunningProgram opened;
            std::string command = "winhlp32.exe -i " + std::string(topic.id) + " \"" + program.directory + "Hanabo.hlp\"";
            STARTUPINFOA startup = {};
            startup.cb = sizeof startup;
            ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                       &opened.process));
            HWND shown = WaitForWindow(opened, "MS_WINHELP", 30000);
            std::string text;
            for (DWORD waited = 0; shown && waited < WindowWait && text.find(topic.title) != 0; waited += 100) {
                Sleep(100);
                text = ViewerText(shown);
            }
            EXPECT_EQ(0u, text.find(topic.title)) << topic.id << ": " << text.substr(0, 80);
            if (shown)
                PostMessageA(shown, WM_CLOSE, 0, 0);
            WaitForExit(opened, 5000);
            StopProgram(opened);
        }
    }
};

}  // namespace

TEST_F(Window, BoardBarsAboutBoxHelpSecondStartAndTheWayOut)
{
    // A folder where the settings file should be: the defaults are read.
    const std::string directory = MakeWorkDirectory();
    ASSERT_TRUE(CreateDirectoryA((directory + "Hanabo.ini").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "Hanabo.hlp").c_str(), (directory + "Hanabo.hlp").c_str(), FALSE))
        << "the build puts Hanabo.hlp beside the program";
    const RegistryText windows7(HKEY_CURRENT_USER, ProgramVersionKey, "Version", "win7");
    ASSERT_NO_FATAL_FAILURE(Start("", directory));
    EXPECT_EQ(0u, Title().rfind("IroGame #", 0)) << Title();

    // The first game is dealt before the window shows, and painted as
    // board-picture paints it; the pointer on a group changes exactly its cells.
    Settle(program.window, 300);
    const std::string dealt = DealtBoard();
    const Picture expected = Expected(dealt, "", "frame-expected.bmp");
    EXPECT_EQ("", Differences(ClientShot(), expected));
    SaveScreenshot(program.window, ArtifactPath("frame.bmp"));
    Board marked = BoardOf(dealt);
    const BoardGroup group = LargestGroup(marked);
    Selection selection;
    MarkGroupAt(marked, GameMode::IroGame, group.column, group.row, &selection);
    Hover(group.column, group.row);
    Settle(program.window, 200);
    const Picture hovered = ClientShot();
    std::string changed, marks;
    for (int row = 0; row < marked.rows; ++row)
        for (int column = 0; column < marked.columns; ++column) {
            changed += CellPixels(hovered, column, row) != CellPixels(expected, column, row) ? 'x' : '.';
            marks += CellAt(marked, column, row) >= CellMarkBit ? 'x' : '.';
        }
    EXPECT_EQ(marks, changed);
    EXPECT_EQ(std::to_string(group.size), Field(5));

    // The score bar's parts for this 516-pixel board; the click counter's box.
    int parts[ScoreBarFields] = {};
    SendForRemoteData(scoreBar, SB_GETPARTS, ScoreBarFields, parts, sizeof parts);
    EXPECT_EQ((std::vector<int>{60, 120, 180, 240, 300, 360, 440}), std::vector<int>(parts, parts + ScoreBarFields));
    RECT box;
    const LayoutBox place = ClickCounterPlace(GetSystemMetrics(SM_CYMENU));
    GetWindowRect(counter, &box);
    POINT at = {box.left, box.top};
    ScreenToClient(toolbar, &at);
    EXPECT_EQ((std::vector<int>{place.x, place.y, place.width, place.height}),
              (std::vector<int>{at.x, at.y, box.right - box.left, box.bottom - box.top}));

    ASSERT_NO_FATAL_FAILURE(CheckAboutBox(false));

    ASSERT_NO_FATAL_FAILURE(CheckHelp());
    EXPECT_TRUE(TopLevelWindows("MS_WINHELP").empty());

    // A second start restores the minimised first one and exits.
    SendWithin(program.window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(IsIconic(program.window));
    RunningProgram second;
    EXPECT_FALSE(StartProgram(second, MakeWorkDirectory()));
    EXPECT_EQ(0, WaitForExit(second));
    StopProgram(second);
    Settle(program.window, 300);
    EXPECT_FALSE(IsIconic(program.window));
    EXPECT_EQ(1u, TopLevelWindows("Hanabo32").size());

    SetWindowPos(program.window, nullptr, -400, -300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Settle(program.window, 200);
    ASSERT_NO_FATAL_FAILURE(CheckAboutBox(true));

    // Exit, with input queued behind it that is ignored: the folder stays,
    // every setting waits in Hanabo.tmp, and the player is told.
    Settings written = SettingsRead(directory, "");
    RECT window;
    GetWindowRect(program.window, &window);
    written.FormLeft = window.left;
    written.FormTop = window.top;
    const LPARAM cell = MAKELPARAM(CellPoint(3, 3).x, CellPoint(3, 3).y);
    PostMessageA(program.window, WM_COMMAND, IDM_EXIT, 0);
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_CLOSE})
        PostMessageA(program.window, message, 0, cell);
    const MessageBoxTexts told = AnswerMessageBox(program);
    EXPECT_EQ(NotReplacedText, told.text);
    EXPECT_EQ("Hanabo32-Error", told.caption);
    ASSERT_EQ(0, WaitForExit(program));
    EXPECT_NE(0u, GetFileAttributesA((directory + "Hanabo.ini").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(FormatSettings(written, nullptr), ReadWholeFile(directory + "Hanabo.tmp"));
}

// The narrowest board, 64 x 48 road tiles of 4 pixels, without the toolbar:
// the client size follows the sheet, and the score bar's parts are 35 pixels.
TEST_F(Window, TheRoadSetOnTheNarrowestBoard)
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

// An animated set (24-pixel frames), the toolbar popping up under Shift: the
// selection loops over the group alone and rests under the toolbar; a click
// vanishes the group, a focus lost holds the vanishing until the next click.
TEST_F(Window, AnimatedSetLoopsTheSelectionAndVanishesTheGroup)
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
    // The group's last cell, in the bottom row of its box, and a second group
    // below the rows that the popped-up toolbar covers.
    Board marked = board;
    Selection box;
    MarkGroupAt(marked, GameMode::IroGame, group.column, group.row, &box);
    BoardGroup last{box.maxColumn, box.maxRow, 0};
    while (CellAt(marked, last.column, last.row) < CellMarkBit)
        --last.column;
    BoardGroup second{-1, -1, 0};
    for (const BoardGroup& other : GroupsOf(board, GameMode::IroGame))
        if (second.size < 2 && other.size >= 2 && other.row >= 2 &&
            CellAt(marked, other.column, other.row) < CellMarkBit)
            second = other;
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

    // Shift pops the toolbar up over the board: the group rests, and so does
    // a group highlighted then; the next highlighting without it animates.
    Hover(group.column, group.row, MK_SHIFT);
    Settle(program.window, 200);
    EXPECT_TRUE(IsWindowVisible(toolbar));
    EXPECT_EQ(1u, Pictures(group));
    ASSERT_GE(second.size, 2);
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

    // The next group stays long after the window lost the focus while it
    // vanished; a click on it plays the vanishing again, then removes it.
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
