// Playing from the keyboard and the Hint: H marks a group, then the arrow
// keys, Space and Enter play a small sheet to its end; and the largest sheet,
// where the window answers while the Hint searches and a group of every tile
// is hovered, removed and undone (figures, not limits).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/game_window.h"

namespace {

// "全消しできます": the Hint's note that the board can be cleared.
const char ClearsNote[] = "\x91\x53\x8f\xc1\x82\xb5\x82\xc5\x82\xab\x82\xdc\x82\xb7";

// Milliseconds on one clock for the whole process.
double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Sends a window WM_NULL every 10 ms from a thread of its own and keeps each
// round trip: how long the window keeps a message waiting.
class Prober {
public:
    struct Probe {
        double sentAt;  // Now() when sent
        double took;    // ms until answered
        bool answered;  // within UnansweredAfter
    };
    static const UINT UnansweredAfter = 5000;

    explicit Prober(HWND window) : window_(window) { thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr); }
    ~Prober() { Stop(); }

    // Ends the probing; then the probes may be read.
    const std::vector<Probe>& Stop()
    {
        if (thread_) {
            stop_ = true;
            WaitForSingleObject(thread_, 2 * UnansweredAfter);
            CloseHandle(thread_);
            thread_ = nullptr;
        }
        return probes_;
    }

    // The longest wait of the probes sent from `from` to `to` (Now() times).
    double Longest(double from, double to) const
    {
        double longest = 0;
        for (const Probe& p : probes_)
            if (p.sentAt >= from && p.sentAt < to)
                longest = std::max(longest, p.took);
        return longest;
    }

private:
    static DWORD WINAPI Run(LPVOID self)
    {
        Prober* prober = static_cast<Prober*>(self);
        while (!prober->stop_) {
            DWORD_PTR result = 0;
            const double sent = Now();
            LRESULT answered = SendMessageTimeoutA(prober->window_, WM_NULL, 0, 0, SMTO_NORMAL, UnansweredAfter, &result);
            prober->probes_.push_back(Probe{sent, Now() - sent, answered != 0});
            Sleep(10);
        }
        return 0;
    }

    HWND window_;
    HANDLE thread_ = nullptr;
    std::atomic<bool> stop_{false};
    std::vector<Probe> probes_;
};

// How long the program takes to handle one message, painting included.
double MillisecondsFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const double start = Now();
    SendWithin(window, message, wParam, lParam, 20000);
    return Now() - start;
}

std::string Figures(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    char text[96];
    std::snprintf(text, sizeof text, "median %.1f ms, max %.1f ms (%d runs)", times[times.size() / 2], times.back(),
                  static_cast<int>(times.size()));
    return text;
}

class Keyboard : public GameWindowTest {
protected:
    // A key handled before this returns (no Ctrl or Alt held).
    void Key(WPARAM key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            SendWithin(program.window, WM_KEYDOWN, key, 1);
    }
};

}  // namespace

TEST_F(Keyboard, HintThenArrowsAndSpacePlayToTheEnd)
{
    // An animated set: every removal vanishes first, and the cursor follows
    // the tiles when it ends.
    std::string settings = SmallSheetUnbeaten();
    settings.insert(std::strlen(SmallSheetSettings), "Bitmap=" + ProgramFolder() + "Jewels32.bmp\r\nAnimIntrvl=20\r\n");
    ASSERT_NO_FATAL_FAILURE(Start(settings));
    std::string board = DealtBoard(SmallSheetOptions);
    const Board dealt = BoardOf(board);
    ASSERT_EQ(8, dealt.columns);

    // H: a group is marked within the search's time; a note that the board
    // can be cleared goes back to the clicks after a while.
    Key('H');
    std::string size;
    for (int waited = 0; waited < 5000 && (size == " " || size.empty()); waited += 100) {
        Sleep(100);
        size = Field(5);
    }
    ASSERT_GE(std::atoi(size.c_str()), 2) << size;
    if (Counter() == ClearsNote)
        WaitForText(counter, CounterText(0, 0), 6000);
    EXPECT_EQ(CounterText(0, 0), Counter());

    int played = 0;
    for (BoardGroup move = LargestGroup(dealt); move.size >= 2; move = LargestGroup(BoardOf(board))) {
        // To the bottom-left Cell, which holds a tile while the game goes on,
        // then up and right to the group.
        Key(VK_LEFT, dealt.columns);
        Key(VK_DOWN, dealt.rows);
        Key(VK_RIGHT, move.column);
        Key(VK_UP, dealt.rows - 1 - move.row);
        ASSERT_EQ(std::to_string(move.size), Field(5)) << MoveText(move);
        if (played == 0)
            SaveScreenshot(program.window, ArtifactPath("keyboard-cursor.bmp"));
        Key(played % 2 == 0 ? VK_SPACE : VK_RETURN);
        ++played;
        ASSERT_EQ(CounterText(played, played), WaitForText(counter, CounterText(played, played)));
        board = RunTool("play - " + MoveText(move), board);
        EXPECT_EQ(CountsText(board, 3), ShownCounts(3));
        // The vanishing has ended: while the game goes on, the cursor is on
        // a tile and its group marked.
        if (LargestGroup(BoardOf(board)).size >= 2) {
            EXPECT_GE(std::atoi(Field(5).c_str()), 1) << Field(5);
        }
    }
    ASSERT_GE(played, 2);
    // The game is over: Space removes nothing more and nothing is asked yet.
    Key(VK_SPACE);
    EXPECT_EQ(CounterText(played, played), Counter());
    EXPECT_EQ(nullptr, WaitForWindow(program, "#32770", 300));
}

// The largest sheet: 240 x 160 tiles of 4 pixels, five kinds (the largest int
// as its size gives it). The window answers within 100 ms while the Hint
// searches and while its mark is drawn; then a saved game of one kind, opened
// (it plays with the fewest kinds, three, whose records no game beats), times
// a group of all 38400 tiles, and the settings keep the sheet's size.
TEST_F(Keyboard, TheLargestSheetAnswersDuringTheHintAndTimesTheWholeSheet)
{
    ts = 4;
    ASSERT_NO_FATAL_FAILURE(Start("[system]\r\nCellSize=4\r\nSheetSizeX=2147483647\r\nSheetSizeY=2147483647\r\n"
                                  "CellNo=5\r\n\r\n" + UnbeatenRecords("240x160(3)")));
    RECT client;
    GetClientRect(program.window, &client);
    EXPECT_EQ(240 * 4 + 4, client.right);
    Settle(program.window, 500);
    const BoardGroup lone = LoneTile(BoardOf(DealtBoard(" --size 240x160 --kinds 5 --cell 4")));
    ASSERT_GE(lone.column, 0);
    Hover(lone.column, lone.row);
    ASSERT_EQ("1", Field(5));

    Prober prober(program.window);
    Sleep(300);
    const double pressed = Now();
    Key('H');
    while (Now() - pressed < 30000 && std::atoi(Field(5).c_str()) < 2)
        Sleep(5);
    const double marked = Now();
    Sleep(1000);  // the mark drawn, and the window's work after it
    const std::vector<Prober::Probe>& probes = prober.Stop();
    ASSERT_GE(std::atoi(Field(5).c_str()), 2) << "no group was marked";
    int unanswered = 0;
    for (const Prober::Probe& p : probes)
        unanswered += p.answered ? 0 : 1;
    EXPECT_EQ(0, unanswered) << "the window kept a message waiting over " << Prober::UnansweredAfter << " ms";
    EXPECT_GE(probes.size(), 20u);
    char text[200];
    std::snprintf(text, sizeof text,
                  "H to the mark %.0f ms; longest wait %.0f ms searching, %.0f ms up to 1 s after the mark "
                  "(%.0f ms before H; %d probes)",
                  marked - pressed, prober.Longest(pressed, marked), prober.Longest(pressed, marked + 1000),
                  prober.Longest(0, pressed), static_cast<int>(probes.size()));
    std::printf("Hint on the largest 240x160 sheet, five kinds: %s\n", text);
    RecordProperty("HintLargestSheet", text);

    const std::string oneKind = program.directory + "one kind.tgw";
    std::ofstream(oneKind, std::ios::binary) << RunTool("deal 1 --size 240x160 --kinds 1 --cell 4");
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'O'}, oneKind));
    ASSERT_EQ("38400", Field(0));
    const POINT at = CellPoint(0, 0);
    const LPARAM position = MAKELPARAM(at.x, at.y);
    std::vector<double> hovers, clicks, undos;
    for (int run = 0; run < 5; ++run) {
        hovers.push_back(MillisecondsFor(program.window, WM_MOUSEMOVE, 0, position));
        EXPECT_EQ("38400", Field(5));
        clicks.push_back(MillisecondsFor(program.window, WM_LBUTTONUP, 0, position));
        EXPECT_EQ("1(1) Click", Counter());
        EXPECT_EQ("0", Field(0));
        undos.push_back(MillisecondsFor(program.window, WM_RBUTTONDOWN, MK_RBUTTON, position));
        EXPECT_EQ("0(1) Click", Counter());
        EXPECT_EQ("38400", Field(0));
        // The game has ended: Again starts it afresh without the retry question.
        SendWithin(program.window, WM_COMMAND, IDM_AGAIN, 0);
    }
    std::printf("240x160 at 4 pixels, one kind, a group of all 38400 tiles:\n  hover %s\n  removal %s\n  Undo %s\n",
                Figures(hovers).c_str(), Figures(clicks).c_str(), Figures(undos).c_str());
    RecordProperty("WholeSheetHover", Figures(hovers));
    RecordProperty("WholeSheetRemoval", Figures(clicks));
    RecordProperty("WholeSheetUndo", Figures(undos));

    PostMessageA(program.window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_EQ(0, WaitForExit(program));
    const std::string ini = ReadWholeFile(program.directory + "Hanabo.ini");
    EXPECT_NE(std::string::npos, ini.find("SheetSizeX=240\r\nSheetSizeY=160\r\nCellSize=4\r\n")) << ini;
}
