// The Help command: the platform's help viewer opens Hanabo.hlp from the
// working directory and shows its contents in Japanese.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/harness.h"

namespace {

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

}  // namespace

TEST(Help, HelpCommandShowsTheContentsAndItsJumpsWork)
{
    std::string directory = MakeWorkDirectory();
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "Hanabo.hlp").c_str(), (directory + "Hanabo.hlp").c_str(), FALSE))
        << "the build puts Hanabo.hlp beside the program";
    ASSERT_TRUE(TopLevelWindows("MS_WINHELP").empty()) << "no help viewer runs yet";

    RunningProgram program;
    ASSERT_TRUE(StartProgram(program, directory));
    PostMessageA(program.window, WM_COMMAND, IDM_HELP, 0);
    HWND viewer = WaitForWindow(RunningProgram(), "MS_WINHELP", 30000);
    ASSERT_NE(nullptr, viewer) << "the help viewer's window appears";
    Settle(viewer, 1500);

    DWORD viewerProcess = 0;
    GetWindowThreadProcessId(viewer, &viewerProcess);
    EXPECT_NE(program.process.dwProcessId, viewerProcess) << "the platform's viewer, not a window of the game";
    std::string text = ViewerText(viewer);
    EXPECT_EQ(0u, text.find("Hanabo32 Help")) << "the contents topic is shown";
    EXPECT_NE(std::string::npos, text.find("How to play"));
    EXPECT_NE(std::string::npos, text.find("Hanabo32\x82\xcd")) << "and its Japanese text";  // Hanabo32は
    EXPECT_TRUE(SaveScreenshot(viewer, ArtifactPath("help.bmp")));

    // The first jump, "How to play", opens that topic.
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

    CloseViewer(viewer);
    EXPECT_TRUE(TopLevelWindows("MS_WINHELP").empty());
    EXPECT_TRUE(IsWindow(program.window)) << "the game goes on";
    StopProgram(program);
}
