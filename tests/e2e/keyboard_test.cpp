// Playing from the keyboard and the Hint: H marks a group, then the arrow
// keys, Space and Enter play a small sheet to its end with the counter texts
// a mouse game shows; the Hint's time to its mark, and the window answering
// while it searches the largest sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/game_window.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/sheet.h"

namespace {

// "全消しできます": the Hint's note that the board can be cleared.
const char ClearsNote[] = "\x91\x53\x8f\xc1\x82\xb5\x82\xc5\x82\xab\x82\xdc\x82\xb7";

// Where the cursor goes after a removal at (column, row): it stays on a tile,
// else goes down its column to the top tile there, else to the top tile of
// the nearest column to the left.
BoardGroup SettledCursor(const Board& board, int column, int row)
{
    for (int c = column; c >= 0; --c)
        for (int r = c == column ? row : 0; r < board.rows; ++r)
            if (CellAt(board, c, r) != 0)
                return {c, r, 0};
    return {0, board.rows - 1, 0};
}

std::string CounterText(int index, int count)
{
    char text[64];
    std::snprintf(text, sizeof text, index < 2 ? "%d(%d) Click" : "%d(%d) Clicks", index, count);
    return text;
}

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

// Sends a window WM_NULL every 10 ms from a thread of its own, as long as it
// lives, and keeps each round trip: how long the window keeps a message waiting.
class Prober {
public:
    struct Probe {
        double sentAt;     // Now() when sent
        double took;       // ms until answered
        bool answered;     // within UnansweredAfter
    };
    static const UINT UnansweredAfter = 5000;

    explicit Prober(HWND window) : window_(window)
    {
        thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
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

class Keyboard : public GameWindowTest {
protected:
    // A key handled before this returns (no Ctrl or Alt held).
    void Key(WPARAM key) { SendWithin(program.window, WM_KEYDOWN, key, 1); }
    void Keys(WPARAM key, int times)
    {
        for (int i = 0; i < times; ++i)
            Key(key);
    }
    std::string Counter() const { return ControlText(counter); }
    std::string Field(int part) const { return StatusBarText(scoreBar, part); }

    // The pointer rests on a lone tile of the dealt sheet (options as
    // hanabo-tool's), so that the size field reads "1".
    void HoverLoneTile(const std::string& options, int ts)
    {
        const BoardGroup lone =
            LoneTile(BoardOf(RunTool("deal " + std::to_string(GameNumberOfTitle(WindowText(program.window))) + options)));
        ASSERT_GE(lone.column, 0);
        const int x = 2 + lone.column * ts + ts / 2;
        const int y = boardTop + lone.row * ts + ts / 2;
        SendWithin(program.window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        ASSERT_EQ("1", Field(5));
    }

    // Presses H with the pointer on a lone tile; the ms until the score bar
    // shows the size of the group the Hint marks (-1 when none in 30 s).
    double HintToMark()
    {
        const double pressed = Now();
        Key('H');
        while (Now() - pressed < 30000) {
            std::string size = Field(5);
            if (size != "1" && std::atoi(size.c_str()) >= 2)
                return Now() - pressed;
            Sleep(5);
        }
        return -1;
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
    const int number = GameNumberOfTitle(WindowText(program.window));
    std::string board = RunTool("deal " + std::to_string(number) + SmallSheetOptions);
    const Board dealt = BoardOf(board);
    ASSERT_EQ(8, dealt.columns);

    // H: a group is marked within the search's time; a note that the board
    // can be cleared goes back to the clicks after a while.
    Key('H');
    std::string size;
    for (int waited = 0; waited < 5000; waited += 100) {
        size = Field(5);
        if (size != " " && !size.empty())
            break;
        Sleep(100);
    }
    ASSERT_GE(std::atoi(size.c_str()), 2) << size;
    if (Counter() == ClearsNote) {
        EXPECT_EQ(CounterText(0, 0), WaitForText(counter, CounterText(0, 0), 6000));
    }
    EXPECT_EQ(CounterText(0, 0), Counter());

    int played = 0;
    for (;;) {
        const BoardGroup move = LargestGroup(BoardOf(board));
        if (move.size < 2)
            break;
        // To the bottom-left Cell, which holds a tile while the game goes on,
        // then up and right to the group.
        Keys(VK_LEFT, dealt.columns);
        Keys(VK_DOWN, dealt.rows);
        Keys(VK_RIGHT, move.column);
        Keys(VK_UP, dealt.rows - 1 - move.row);
        ASSERT_EQ(std::to_string(move.size), Field(5)) << MoveText(move);
        if (played == 0)
            SaveScreenshot(program.window, ArtifactPath("keyboard-cursor.bmp"));
        Key(played % 2 == 0 ? VK_SPACE : VK_RETURN);
        ++played;
        ASSERT_EQ(CounterText(played, played), WaitForText(counter, CounterText(played, played)));
        board = RunTool("play - " + MoveText(move), board);
        // The vanishing has ended: the cursor is on a tile and its group marked.
        Board after = BoardOf(board);
        if (LargestGroup(after).size >= 2) {
            const BoardGroup cursor = SettledCursor(after, move.column, move.row);
            Selection group;
            MarkGroupAt(after, GameMode::IroGame, cursor.column, cursor.row, &group);
            EXPECT_EQ(std::to_string(group.size), Field(5)) << MoveText(cursor);
        }
    }
    ASSERT_GE(played, 2);
    const TileCounts end = CountTiles(BoardOf(board), GameMode::IroGame);
    for (int kind = 1; kind <= 3; ++kind)
        EXPECT_EQ(std::to_string(end.count[kind]), Field(kind - 1));
    // The game is over: Space removes nothing more and nothing is asked yet.
    Key(VK_SPACE);
    EXPECT_EQ(CounterText(played, played), Counter());
    EXPECT_EQ(nullptr, WaitForWindow(program, "#32770", 300));
}

// Figures, not limits: from H to the mark within about half a second on the
// default sheet, and on the largest sheet (240 x 160, five kinds) the window
// answering within 100 ms while the search runs and while the mark is drawn.
TEST_F(Keyboard, HintTimesOnTheDefaultAndTheLargestSheets)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    std::vector<double> marks;
    for (int run = 0; run < 3; ++run) {
        ASSERT_NO_FATAL_FAILURE(HoverLoneTile("", 32));
        marks.push_back(HintToMark());
        ASSERT_GE(marks.back(), 0) << "no group was marked";
    }
    std::sort(marks.begin(), marks.end());
    char text[160];
    std::snprintf(text, sizeof text, "median %.0f ms, max %.0f ms (3 runs)", marks[1], marks[2]);
    std::printf("Hint on the default 16x12 sheet, H to the mark: %s\n", text);
    RecordProperty("HintToMarkDefaultSheet", text);
    StopProgram(program);

    ASSERT_NO_FATAL_FAILURE(
        Start("[system]\r\nCellSize=4\r\nSheetSizeX=2147483647\r\nSheetSizeY=2147483647\r\nCellNo=5\r\n"));
    Settle(program.window, 500);
    ASSERT_NO_FATAL_FAILURE(HoverLoneTile(" --size 240x160 --kinds 5 --cell 4", 4));
    Prober prober(program.window);
    Sleep(300);
    const double pressed = Now();
    const double toMark = HintToMark();
    const double marked = Now();
    Sleep(1000);   // the mark drawn, and the window's work after it
    const std::vector<Prober::Probe>& probes = prober.Stop();
    ASSERT_GE(toMark, 0) << "no group was marked";
    int unanswered = 0;
    for (const Prober::Probe& p : probes)
        unanswered += p.answered ? 0 : 1;
    EXPECT_EQ(0, unanswered) << "the window kept a message waiting over " << Prober::UnansweredAfter << " ms";
    EXPECT_GE(probes.size(), 20u);
    std::snprintf(text, sizeof text,
                  "H to the mark %.0f ms; longest wait %.0f ms searching, %.0f ms up to 1 s after the mark "
                  "(%.0f ms before H; %d probes)",
                  toMark, prober.Longest(pressed, marked), prober.Longest(pressed, marked + 1000),
                  prober.Longest(0, pressed), static_cast<int>(probes.size()));
    std::printf("Hint on the largest 240x160 sheet, five kinds: %s\n", text);
    RecordProperty("HintLargestSheet", text);
}
