// The main window's frame: title, menu, the About box, the dialogs' commands,
// the help viewer and a single instance.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/harness.h"

namespace {

// One line per item: popups and their items indented, separators as "-".
std::string DescribeMenu(HMENU menu, int depth = 0)
{
    std::string text;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char label[256] = "";
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = label;
        item.cch = sizeof label;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        text += std::string(static_cast<size_t>(depth) * 2, ' ');
        if (item.fType & MFT_SEPARATOR)
            text += "-\n";
        else if (item.hSubMenu)
            text += std::string(label) + "\n" + DescribeMenu(item.hSubMenu, depth + 1);
        else
            text += std::to_string(item.wID) + " " + label + "\n";
    }
    return text;
}

const char ExpectedMenu[] =
    "Game(&G)\n"
    "  32771 New(&N)\tCtrl+N\n"
    "  32772 Open(&O)...\tCtrl+O\n"
    "  32773 Save(&S)...\tCtrl+S\n"
    "  -\n"
    "  32794 Again(&A)\tCtrl+A\n"
    "  32793 Undo(&U)\tCtrl+U\n"
    "  32795 Redo(&R)\tCtrl+R\n"
    "  -\n"
    "  32778 Select Game\tCtrl+G\n"
    "  40115 Hint\tH\n"
    "  -\n"
    "  32779 Campaign\n"
    "  -\n"
    "  57665 Exit(&X)\tCtrl+X\n"
    "32801 Record(&R)\n"
    "40023 Config(&C)\n"
    "Help(&H)\n"
    "  40001 Help(&H)\n"
    "  57664 Version(&V)...\n";

// The About box: its texts, placed centred on the main window, or at the
// screen's corner when that would put it off the screen.
void CheckAboutBox(const RunningProgram& program, bool partlyOffScreen)
{
    PostMessageA(program.window, WM_COMMAND, IDM_VERSION, 0);
    HWND box = WaitForWindow(program, "#32770");
    ASSERT_NE(nullptr, box);
    Settle(box, 300);
    EXPECT_EQ("Hanabo32-Version\x8f\xee\x95\xf1", WindowText(box));  // Hanabo32-Version情報
    const std::string texts = DialogTexts(box);
    EXPECT_NE(std::string::npos, texts.find("Version 0.96|")) << texts;
    EXPECT_NE(std::string::npos, texts.find("Hanabo32|")) << texts;

    RECT main;
    RECT own;
    GetWindowRect(program.window, &main);
    GetWindowRect(box, &own);
    if (partlyOffScreen) {
        EXPECT_EQ(0, own.left);
        EXPECT_EQ(0, own.top);
    } else {
        EXPECT_NEAR((main.left + main.right) / 2, (own.left + own.right) / 2, 1);
        EXPECT_NEAR((main.top + main.bottom) / 2, (own.top + own.bottom) / 2, 1);
        EXPECT_TRUE(SaveScreenshot(box, ArtifactPath("about.bmp")));
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    Settle(program.window, 300);
    EXPECT_FALSE(IsWindow(box));
}

struct ChildSearch {
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTextView(HWND window, LPARAM data)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::string(name).compare(0, 8, "RichEdit") == 0)
        reinterpret_cast<ChildSearch*>(data)->found.push_back(window);
    return TRUE;
}

// The text of the viewer's text panes (rich edit controls of another process).
std::string ViewerText(HWND viewer)
{
    ChildSearch search;
    EnumChildWindows(viewer, CollectTextView, reinterpret_cast<LPARAM>(&search));
    std::string all;
    for (HWND pane : search.found) {
        std::vector<char> text(65536);
        DWORD_PTR copied = 0;
        if (SendMessageTimeoutA(pane, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                                WindowWait, &copied))
            all.append(text.data(), copied);
    }
    return all;
}

// Closes the viewer and makes sure its process does not outlive the test.
void CloseViewer(HWND viewer)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(viewer, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    if (process) {
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0)
            TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

HWND TextPane(HWND viewer)
{
    ChildSearch search;
    EnumChildWindows(viewer, CollectTextView, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found[0];
}

// The screen position of the first pixel of a colour in a window, row by row
// from the top (the viewer underlines jumps in green).
bool FindColour(HWND window, COLORREF colour, POINT* found)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return false;
    const int width = rect.right - rect.left;
    const std::uint32_t wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    const std::vector<std::uint32_t> pixels = ScreenPixels(rect);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        if (pixels[i] == wanted) {
            found->x = rect.left + static_cast<int>(i % width);
            found->y = rect.top + static_cast<int>(i / width);
            return true;
        }
    return false;
}

const char PlayTitle[] = "\x97\x56\x82\xd1\x95\xfb";  // 遊び方
// 同じ面でやり直しますか？
const char RetryQuestion[] =
    "\x93\xaf\x82\xb6\x96\xca\x82\xc5\x82\xe2\x82\xe8\x92\xbc\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48";

// The Help command: the platform's help viewer (not a window of the game)
// opens Hanabo.hlp from the working directory, shows its contents in
// Japanese, and its first jump opens "How to play".
void CheckHelp(const RunningProgram& program)
{
    ASSERT_TRUE(TopLevelWindows("MS_WINHELP").empty()) << "no help viewer runs yet";
    PostMessageA(program.window, WM_COMMAND, IDM_HELP, 0);
    HWND viewer = WaitForWindow(RunningProgram(), "MS_WINHELP", 30000);
    ASSERT_NE(nullptr, viewer) << "the help viewer's window appears";
    struct Closer {
        HWND viewer;
        ~Closer() { CloseViewer(viewer); }
    } closer{viewer};
    Settle(viewer, 1500);

    DWORD viewerProcess = 0;
    GetWindowThreadProcessId(viewer, &viewerProcess);
    EXPECT_NE(program.process.dwProcessId, viewerProcess);
    std::string text = ViewerText(viewer);
    EXPECT_EQ(0u, text.find("Hanabo32 Help")) << "the contents topic is shown";
    EXPECT_NE(std::string::npos, text.find("How to play"));
    EXPECT_NE(std::string::npos, text.find("Hanabo32\x82\xcd")) << "and its Japanese text";  // Hanabo32は
    EXPECT_TRUE(SaveScreenshot(viewer, ArtifactPath("help.bmp")));

    SetForegroundWindow(viewer);
    Settle(viewer, 300);
    POINT jump;
    ASSERT_TRUE(FindColour(TextPane(viewer), RGB(0, 128, 0), &jump)) << "a green jump is shown";
    ClickPointer(jump.x, jump.y);
    for (int waited = 0; waited < static_cast<int>(WindowWait) && ViewerText(viewer).find(PlayTitle) != 0; waited += 100)
        Sleep(100);
    text = ViewerText(viewer);
    EXPECT_EQ(0u, text.find(PlayTitle)) << text.substr(0, 40);
    EXPECT_NE(std::string::npos, text.find(RetryQuestion));
    Settle(viewer, 1000);
    EXPECT_TRUE(SaveScreenshot(viewer, ArtifactPath("help_play.bmp")));
}

}  // namespace

// One program run: the title and menu, the About box, the commands of the
// dialogs, the help, a second start, and the exit.
TEST(Frame, TitleMenuAboutBoxDialogsHelpAndASecondStart)
{
    const std::string directory = MakeWorkDirectory();
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "Hanabo.hlp").c_str(), (directory + "Hanabo.hlp").c_str(), FALSE))
        << "the build puts Hanabo.hlp beside the program";
    RunningProgram program;
    ASSERT_TRUE(StartProgram(program, directory));
    struct Stop {
        RunningProgram& program;
        ~Stop()
        {
            for (HWND box : TopLevelWindows("#32770", program.process.dwProcessId))
                PostMessageA(box, WM_CLOSE, 0, 0);
            StopProgram(program);
        }
    } stop{program};

    // The first game is dealt before the window shows.
    const std::string title = WindowText(program.window);
    EXPECT_EQ(0u, title.rfind("IroGame #", 0)) << title;
    EXPECT_NE(nullptr, GetMenu(program.window));
    HMODULE exe = LoadLibraryExA(std::getenv("HANABO_EXE"), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, exe);
    HMENU menu = LoadMenuA(exe, MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(ExpectedMenu, DescribeMenu(menu));
    DestroyMenu(menu);
    FreeLibrary(exe);
    Settle(program.window, 500);
    EXPECT_TRUE(SaveScreenshot(program.window, ArtifactPath("frame.bmp")));

    ASSERT_NO_FATAL_FAILURE(CheckAboutBox(program, false));

    // Each dialog's command, its dialog closed with Cancel as a player
    // would, leaves the game running.
    for (int command : {IDM_OPEN, IDM_SAVE, IDM_SELECTGAME, IDM_RECORD, IDM_CONFIG, IDM_BGM, IDM_SOUND}) {
        SCOPED_TRACE(command);
        PostMessageA(program.window, WM_COMMAND, static_cast<WPARAM>(command), 0);
        Settle(program.window, 300);
        for (HWND dialog : TopLevelWindows("#32770", program.process.dwProcessId))
            if (IsWindowVisible(dialog))
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        Settle(program.window, 200);
        ASSERT_EQ(WAIT_TIMEOUT, WaitForSingleObject(program.process.hProcess, 0));
        DWORD_PTR result = 0;
        ASSERT_NE(0, SendMessageTimeoutA(program.window, WM_NULL, 0, 0, SMTO_NORMAL, 3000, &result));
    }
    EXPECT_EQ(title, WindowText(program.window));

    ASSERT_NO_FATAL_FAILURE(CheckHelp(program));
    EXPECT_TRUE(TopLevelWindows("MS_WINHELP").empty());
    EXPECT_TRUE(IsWindow(program.window)) << "the game goes on";

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
    ASSERT_NO_FATAL_FAILURE(CheckAboutBox(program, true));

    PostMessageA(program.window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(0, WaitForExit(program));
}
