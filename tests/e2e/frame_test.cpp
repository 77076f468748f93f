// The main window's frame in one program run: the dealt board on the screen
// and the bars around it, the Help menu's About box and help viewer, a second
// start, and the way out when the settings cannot be replaced.
#include <gtest/gtest.h>

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

class Frame : public GameWindowTest {
protected:
    // Help(&H) > Version(&V): the About box, centred on the main window, or
    // at the screen's corner when that would put it off the screen.
    void CheckAboutBox(bool partlyOffScreen)
    {
        MenuItem('H', 'V');
        Dialog box = OpenedDialog(program, "Hanabo32-Version\x8f\xee\x95\xf1");  // Hanabo32-Version情報
        ASSERT_NE(nullptr, box.window);
        const std::string texts = DialogTexts(box.window);
        EXPECT_NE(std::string::npos, texts.find("Version 0.96|")) << texts;
        EXPECT_NE(std::string::npos, texts.find("Hanabo32|")) << texts;
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

    // Help(&H) > Help(&H): the platform's help viewer (not a window of the
    // game) opens Hanabo.hlp from the working directory and shows its
    // contents in Japanese.
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
    }
};

}  // namespace

TEST_F(Frame, BoardBarsAboutBoxDialogsHelpSecondStartAndTheWayOut)
{
    // A folder where the settings file should be: the defaults are read, and
    // the settings wait in Hanabo.tmp at the end.
    const std::string directory = MakeWorkDirectory();
    ASSERT_TRUE(CreateDirectoryA((directory + "Hanabo.ini").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "Hanabo.hlp").c_str(), (directory + "Hanabo.hlp").c_str(), FALSE))
        << "the build puts Hanabo.hlp beside the program";
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

    // The score bar's parts for this 516-pixel board, and the click
    // counter's box on the toolbar.
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
    PostMessageA(program.window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Settle(program.window, 300);
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
    PostMessageA(program.window, WM_MOUSEMOVE, 0, cell);
    PostMessageA(program.window, WM_LBUTTONUP, 0, cell);
    PostMessageA(program.window, WM_RBUTTONDOWN, MK_RBUTTON, cell);
    PostMessageA(program.window, WM_COMMAND, IDM_REDO, 0);
    PostMessageA(program.window, WM_CLOSE, 0, 0);
    const MessageBoxTexts told = AnswerMessageBox(program);
    EXPECT_EQ(NotReplacedText, told.text);
    EXPECT_EQ("Hanabo32-Error", told.caption);
    ASSERT_EQ(0, WaitForExit(program));
    EXPECT_NE(0u, GetFileAttributesA((directory + "Hanabo.ini").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(FormatSettings(written, nullptr), ReadWholeFile(directory + "Hanabo.tmp"));
}
