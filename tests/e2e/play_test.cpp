// A whole game as a player plays it: hover, click, the right button's Undo,
// Redo, Again, the move slider, the retry question, New, Esc, the ways out
// and the settings file they leave. Boards are known from the number in the
// title, dealt again with hanabo-tool.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/game_window.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/sheet.h"

namespace {

const char RetryQuestion[] =
    "\x93\xaf\x82\xb6\x96\xca\x82\xc5\x82\xe2\x82\xe8\x92\xbc\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48";  // 同じ面でやり直しますか？
const char SliderNow[] = "\x8c\xbb\x8d\xdd%d\x8e\xe8\x82\xc5\x82\xb7\x81\x42";  // 現在%d手です。
const char SliderBack[] =
    "\x8c\xbb\x8d\xdd%d\x8e\xe8\x82\xc5\x82\xb7\x81\x42"
    "%d\x8e\xe8\x82\xdc\x82\xc5\x96\xdf\x82\xe8\x82\xdc\x82\xb7\x81\x42";  // 現在%d手です。%d手まで戻ります。
const char SliderForward[] =
    "\x8c\xbb\x8d\xdd%d\x8e\xe8\x82\xc5\x82\xb7\x81\x42"
    "%d\x8e\xe8\x82\xdc\x82\xc5\x90\x69\x82\xdf\x82\xdc\x82\xb7";  // 現在%d手です。%d手まで進めます

// The small sheet on which a game ends after a dozen moves.

std::string Format(const char* format, int a, int b = 0)
{
    char text[256];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string CounterText(int index, int count)
{
    return Format(index < 2 ? "%d(%d) Click" : "%d(%d) Clicks", index, count);
}

// Every line of a settings file written by a fresh start, in order.
std::string DefaultSettings(const std::string& directory)
{
    return "[system]\r\n"
           "SheetSizeX=16\r\n"
           "SheetSizeY=12\r\n"
           "CellSize=32\r\n"
           "CellNo=5\r\n"
           "Bitmap=(null)\r\n"
           "BlankCell=0\r\n"
           "AnimBMPOption=0\r\n"
           "AnimIntrvl=50\r\n"
           "FormTop=10\r\n"
           "FormLeft=10\r\n"
           "ScoreBar=1\r\n"
           "ToolBar=1\r\n"
           "ScoreOption=0\r\n"
           "BarOptionAuto=1\r\n"
           "BarOptionShift=0\r\n"
           "Campaign=0\r\n"
           "\r\n"
           "[Special Number]\r\n"
           "\r\n"
           "[Sound]\r\n"
           "Sound=0\r\n"
           "BGM=0\r\n"
           "Path=" + directory + "Sound\\\r\n"
           "Start=tada.wav\r\n"
           "Click=pin.wav\r\n"
           "Score=tada.wav\r\n"
           "HighScore=tada.wav\r\n"
           "CampaignClear=tada.wav\r\n"
           "Message=ding.wav\r\n"
           "Select=\r\n"
           "Disappear=\r\n"
           "MIDI=\r\n"
           "\r\n";
}

class Play : public GameWindowTest {
protected:
    void Start(const std::string& settings = "", int tileSize = 32)
    {
        ts = tileSize;
        GameWindowTest::Start(settings);
    }

    POINT CellPoint(int column, int row) const { return GameWindowTest::CellPoint(column, row, ts); }

    // Mouse messages handled before these return.
    void Hover(int column, int row)
    {
        POINT at = CellPoint(column, row);
        SendWithin(program.window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    }
    void Click(int column, int row) { ClickCell(column, row, ts); }
    void RightClick(int column, int row)
    {
        POINT at = CellPoint(column, row);
        SendWithin(program.window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        SendWithin(program.window, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    void Keys(std::vector<WORD> keys)
    {
        PressKeys(program.window, std::move(keys));
        Settle(program.window, 300);
    }

    std::string Counter() const { return ControlText(counter); }
    std::string Field(int part) const { return StatusBarText(scoreBar, part); }
    int Number() const { return GameNumberOfTitle(WindowText(program.window)); }

    // The board the program dealt, as hanabo-tool deals its number.
    std::string DealtBoard(const char* options = "")
    {
        return RunTool("deal " + std::to_string(Number()) + options);
    }

    // The tile counts of the score bar, fields 0 to kinds - 1.
    std::string ShownCounts(int kinds) const
    {
        std::string text;
        for (int i = 0; i < kinds; ++i)
            text += Field(i) + " ";
        return text;
    }

    // A visible message box or dialog of the program, or null.
    HWND Dialog(DWORD timeoutMs = WindowWait) const { return WaitForWindow(program, "#32770", timeoutMs); }

    void MoveSliderJumpsBackAndForward();

    int ts = 32;
};

// The tile counts of a board (saved-game text), as ShownCounts reads them.
std::string CountsText(const std::string& board, int kinds)
{
    const TileCounts counts = CountTiles(BoardOf(board), GameMode::IroGame);
    std::string text;
    for (int kind = 1; kind <= kinds; ++kind)
        text += std::to_string(counts.count[kind]) + " ";
    return text;
}

}  // namespace

// Every way out writes every setting; a window minimised at the end writes no
// place, and input queued behind Exit is ignored.
TEST_F(Play, EveryWayOutWritesEveryDefaultSetting)
{
    for (int way = 0; way < 4; ++way) {
        SCOPED_TRACE(way);
        ASSERT_NO_FATAL_FAILURE(Start());
        EXPECT_EQ(0u, WindowText(program.window).rfind("IroGame #", 0)) << WindowText(program.window);
        const LPARAM at = MAKELPARAM(CellPoint(3, 3).x, CellPoint(3, 3).y);
        if (way == 0)
            PostMessageA(program.window, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
        else if (way == 1)
            PressKeys(program.window, {VK_CONTROL, 'X'});
        else if (way == 2) {
            Keys({VK_ESCAPE});
            ASSERT_TRUE(IsIconic(program.window));
            PostMessageA(program.window, WM_CLOSE, 0, 0);
        } else {
            PostMessageA(program.window, WM_COMMAND, IDM_EXIT, 0);
            PostMessageA(program.window, WM_MOUSEMOVE, 0, at);
            PostMessageA(program.window, WM_LBUTTONUP, 0, at);
            PostMessageA(program.window, WM_RBUTTONDOWN, MK_RBUTTON, at);
            PostMessageA(program.window, WM_COMMAND, IDM_REDO, 0);
            PostMessageA(program.window, WM_CLOSE, 0, 0);
        }
        ASSERT_EQ(0, WaitForExit(program));
        std::string expected = DefaultSettings(program.directory);
        if (way == 2)
            expected.erase(expected.find("FormTop=10\r\nFormLeft=10\r\n"), std::strlen("FormTop=10\r\nFormLeft=10\r\n"));
        EXPECT_EQ(expected, ReadWholeFile(program.directory + "Hanabo.ini"));
        StopProgram(program);
    }
}

// One game from its deal: hover and click, the right button's Undo, Redo,
// Again, Esc and the menu keys held back while minimised, then Ctrl+N and
// the move slider on the new deal.
TEST_F(Play, HoverClickUndoRedoAgainNewAndTheMoveSlider)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const int number = Number();
    const std::string dealt = DealtBoard();
    const Board board = BoardOf(dealt);
    ASSERT_EQ(16, board.columns);
    ASSERT_EQ(12, board.rows);
    EXPECT_EQ(CountsText(dealt, 5), ShownCounts(5));

    // No move yet: a right click on the toolbar or a click into the counter
    // opens nothing, and the focus does not stay in the counter; the right
    // button on the board has nothing to undo.
    PostRightClick(toolbar, 4, 4);
    PostLeftClick(counter, 4, 4);
    Settle(program.window, 300);
    EXPECT_EQ(nullptr, Dialog(300));
    EXPECT_NE(counter, GetFocusOf(program.window));
    RightClick(0, 0);
    EXPECT_EQ("0(0) Click", Counter());

    // A lone tile shows 1 and a click on it does nothing.
    const BoardGroup lone = LoneTile(board);
    if (lone.column >= 0) {
        Click(lone.column, lone.row);
        EXPECT_EQ("1", Field(5));
        EXPECT_EQ("0(0) Click", Counter());
    }

    const BoardGroup move = LargestGroup(board);
    ASSERT_GE(move.size, 2);
    Hover(move.column, move.row);
    EXPECT_EQ(std::to_string(move.size), Field(5));
    EXPECT_EQ("0(0) Click", Counter());
    Click(move.column, move.row);
    EXPECT_EQ("1(1) Click", Counter());
    const std::string played = RunTool("play - " + MoveText(move), dealt);
    EXPECT_EQ(CountsText(played, 5), ShownCounts(5));
    // The score is the third line of the saved game hanabo-tool writes.
    const std::size_t scoreLine = played.find("\r\n", played.find("\r\n") + 2) + 2;
    EXPECT_EQ(played.substr(scoreLine, played.find("\r\n", scoreLine) - scoreLine), Field(6));
    SaveScreenshot(program.window, ArtifactPath("play-first-move.bmp"));

    RightClick(0, 0);
    EXPECT_EQ("0(1) Click", Counter());
    EXPECT_EQ(CountsText(dealt, 5), ShownCounts(5));
    EXPECT_EQ("0", Field(6));

    Keys({VK_CONTROL, 'R'});
    EXPECT_EQ("1(1) Click", Counter());
    EXPECT_EQ(CountsText(played, 5), ShownCounts(5));

    // While the window is minimised, keys of menu items do nothing.
    Keys({VK_ESCAPE});
    ASSERT_TRUE(IsIconic(program.window));
    Keys({VK_CONTROL, 'N'});
    Keys({VK_CONTROL, 'A'});
    EXPECT_EQ("1(1) Click", Counter());
    PostMessageA(program.window, WM_SYSCOMMAND, SC_RESTORE, 0);
    Settle(program.window, 300);
    EXPECT_FALSE(IsIconic(program.window));
    EXPECT_EQ("1(1) Click", Counter());

    Keys({VK_CONTROL, 'A'});
    EXPECT_EQ("0(1) Click", Counter());
    EXPECT_EQ(CountsText(dealt, 5), ShownCounts(5));
    EXPECT_EQ(number, Number());

    // Ctrl+N deals a new number with an empty history.
    Keys({VK_CONTROL, 'N'});
    EXPECT_NE(number, Number());
    EXPECT_EQ("0(0) Click", Counter());
    ASSERT_NO_FATAL_FAILURE(MoveSliderJumpsBackAndForward());
}

// On a fresh deal: three moves, two undone, then the slider.
void Play::MoveSliderJumpsBackAndForward()
{
    const std::string dealt = DealtBoard();
    EXPECT_EQ(CountsText(dealt, 5), ShownCounts(5));

    // Three moves, then back to the first with the right button.
    std::string board = dealt;
    std::string moves;
    for (int i = 0; i < 3; ++i) {
        const BoardGroup move = LargestGroup(BoardOf(board));
        ASSERT_GE(move.size, 2);
        Click(move.column, move.row);
        moves += " " + MoveText(move);
        board = RunTool("play -" + moves, dealt);
    }
    ASSERT_EQ("3(3) Clicks", Counter());
    const std::string third = CountsText(board, 5);
    RightClick(0, 0);
    RightClick(0, 0);
    ASSERT_EQ("1(3) Click", Counter());

    // Opened by a right click on the toolbar: page right stops at the last move.
    PostRightClick(toolbar, 4, 4);
    HWND slider = Dialog();
    ASSERT_NE(nullptr, slider);
    HWND text = GetDlgItem(slider, IDC_SLIDER_TEXT);
    EXPECT_EQ(Format(SliderNow, 1), ControlText(text));
    SendWithin(slider, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(Format(SliderForward, 1, 3), ControlText(text));
    SendWithin(slider, WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(Format(SliderForward, 1, 3), ControlText(text));
    SendWithin(slider, WM_HSCROLL, SB_LINELEFT, 0);
    SendWithin(slider, WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_EQ(Format(SliderNow, 1), ControlText(text));
    SendWithin(slider, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3), 0);
    EXPECT_EQ(Format(SliderForward, 1, 3), ControlText(text));
    SaveScreenshot(slider, ArtifactPath("move-slider.bmp"));
    PostMessageA(slider, WM_COMMAND, IDOK, 0);
    Settle(program.window, 300);
    EXPECT_FALSE(IsWindow(slider));
    EXPECT_EQ("3(3) Clicks", Counter());
    EXPECT_EQ(third, ShownCounts(5));

    // Opened by a click into the counter box: back to the deal.
    PostLeftClick(counter, 4, 4);
    slider = Dialog();
    ASSERT_NE(nullptr, slider);
    EXPECT_NE(counter, GetFocusOf(program.window));
    text = GetDlgItem(slider, IDC_SLIDER_TEXT);
    EXPECT_EQ(Format(SliderNow, 3), ControlText(text));
    SendWithin(slider, WM_HSCROLL, SB_PAGELEFT, 0);
    EXPECT_EQ(Format(SliderBack, 3, 0), ControlText(text));
    PostMessageA(slider, WM_COMMAND, IDOK, 0);
    Settle(program.window, 300);
    EXPECT_EQ("0(3) Click", Counter());
    EXPECT_EQ(CountsText(dealt, 5), ShownCounts(5));

    // Cancel changes nothing; a mouse move over the board closes it too.
    PostRightClick(scoreBar, 4, 4);
    slider = Dialog();
    ASSERT_NE(nullptr, slider);
    SendWithin(slider, WM_HSCROLL, SB_PAGERIGHT, 0);
    PostMessageA(slider, WM_COMMAND, IDCANCEL, 0);
    Settle(program.window, 300);
    EXPECT_FALSE(IsWindow(slider));
    EXPECT_EQ("0(3) Click", Counter());
    PostRightClick(toolbar, 4, 4);
    slider = Dialog();
    ASSERT_NE(nullptr, slider);
    Hover(0, 0);
    Settle(program.window, 200);
    EXPECT_FALSE(IsWindow(slider));
    EXPECT_EQ("0(3) Click", Counter());
}

TEST_F(Play, FinishedGameAsksTheRetryQuestion)
{
    ASSERT_NO_FATAL_FAILURE(Start(SmallSheetUnbeaten()));
    const int number = Number();
    const std::string dealt = DealtBoard(SmallSheetOptions);
    const Board start = BoardOf(dealt);
    ASSERT_EQ(8, start.columns);
    ASSERT_EQ(6, start.rows);

    // Greedy play to the end; each next board comes from hanabo-tool.
    std::string board = dealt;
    std::vector<BoardGroup> played;
    for (;;) {
        const BoardGroup move = LargestGroup(BoardOf(board));
        if (move.size < 2)
            break;
        Click(move.column, move.row);
        played.push_back(move);
        ASSERT_EQ(CounterText(static_cast<int>(played.size()), static_cast<int>(played.size())), Counter());
        board = RunTool("play - " + MoveText(move), board);
    }
    const int k = static_cast<int>(played.size());
    ASSERT_GE(k, 2);
    EXPECT_EQ(CountsText(board, 3), ShownCounts(3));
    EXPECT_EQ(nullptr, Dialog(300)) << "nothing is asked before the pointer moves";

    // The next mouse move asks; Yes deals the same board with the moves kept.
    PostMouseMove(program.window, CellPoint(0, 0).x, CellPoint(0, 0).y);
    HWND box = Dialog();
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Hanabo32", WindowText(box));
    EXPECT_NE(std::string::npos, DialogTexts(box).find(std::string(RetryQuestion) + "|")) << DialogTexts(box);
    SaveScreenshot(box, ArtifactPath("retry-question.bmp"));
    PostMessageA(FindChild(box, "Button", IDYES), BM_CLICK, 0, 0);
    Settle(program.window, 300);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(number, Number());
    EXPECT_EQ(CounterText(0, k - 1), Counter());
    EXPECT_EQ(CountsText(dealt, 3), ShownCounts(3));

    // Redo replays all but the last move; the last click ends the game again,
    // and after an Undo No deals a new number.
    for (int i = 1; i < k; ++i)
        Keys({VK_CONTROL, 'R'});
    EXPECT_EQ(CounterText(k - 1, k - 1), Counter());
    Click(played.back().column, played.back().row);
    EXPECT_EQ(CounterText(k, k), Counter());
    // Undo works on a finished game, and the question still comes.
    RightClick(0, 0);
    EXPECT_EQ(CounterText(k - 1, k), Counter());
    PostMouseMove(program.window, CellPoint(0, 0).x, CellPoint(0, 0).y);
    box = Dialog();
    ASSERT_NE(nullptr, box);
    PostMessageA(FindChild(box, "Button", IDNO), BM_CLICK, 0, 0);
    Settle(program.window, 300);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_NE(number, Number());
    EXPECT_EQ("0(0) Click", Counter());
    EXPECT_EQ(CountsText(DealtBoard(SmallSheetOptions), 3), ShownCounts(3));
}

namespace {

// The largest int as the sheet size at the smallest tiles gives the largest
// sheet: 240 x 160 tiles of 4 pixels. No name is asked when it is cleared.
const std::string LargestSheetSettings =
    "[system]\r\nCellSize=4\r\nSheetSizeX=2147483647\r\nSheetSizeY=2147483647\r\nCellNo=1\r\n\r\n" +
    UnbeatenRecords("240x160(1)");

// How long the program takes to handle one message, painting included (the
// cells are drawn while the message is handled).
double MillisecondsFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    SendWithin(window, message, wParam, lParam, 20000);
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

std::string Figures(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    char text[96];
    std::snprintf(text, sizeof text, "median %.1f ms, max %.1f ms (%d runs)", times[times.size() / 2], times.back(),
                  static_cast<int>(times.size()));
    return text;
}

// Figures, not limits: one frame is 16 ms. Each figure is the time from
// sending the message to the end of its handling, the cells on the screen.
TEST_F(Play, TimesAGroupCoveringTheLargestSheet)
{
    ASSERT_NO_FATAL_FAILURE(Start(LargestSheetSettings, 4));
    RECT client;
    GetClientRect(program.window, &client);
    EXPECT_EQ(240 * 4 + 4, client.right);
    Settle(program.window, 500);
    const POINT at = CellPoint(0, 0);
    const LPARAM position = MAKELPARAM(at.x, at.y);
    std::vector<double> hovers, clicks, undos;
    for (int run = 0; run < 5; ++run) {
        hovers.push_back(MillisecondsFor(program.window, WM_MOUSEMOVE, 0, position));
        EXPECT_EQ("38400", Field(5));
        clicks.push_back(MillisecondsFor(program.window, WM_LBUTTONUP, 0, position));
        EXPECT_EQ("1(1) Click", Counter());
        EXPECT_EQ("0", Field(0));
        if (run == 0)
            SaveScreenshot(program.window, ArtifactPath("largest-sheet-cleared.bmp"));
        undos.push_back(MillisecondsFor(program.window, WM_RBUTTONDOWN, MK_RBUTTON, position));
        EXPECT_EQ("0(1) Click", Counter());
        EXPECT_EQ("38400", Field(0));
        // The game has ended: Again starts it afresh without the retry question.
        SendWithin(program.window, WM_COMMAND, IDM_AGAIN, 0);
    }
    std::printf("240x160 at 4 pixels, one kind, a group of all 38400 tiles:\n"
                "  hover %s\n  removal %s\n  Undo %s\n",
                Figures(hovers).c_str(), Figures(clicks).c_str(), Figures(undos).c_str());
    RecordProperty("WholeSheetHover", Figures(hovers));
    RecordProperty("WholeSheetRemoval", Figures(clicks));
    RecordProperty("WholeSheetUndo", Figures(undos));

    // The settings file keeps the sheet's limited size.
    PostMessageA(program.window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_EQ(0, WaitForExit(program));
    const std::string ini = ReadWholeFile(program.directory + "Hanabo.ini");
    EXPECT_NE(std::string::npos, ini.find("SheetSizeX=240\r\nSheetSizeY=160\r\nCellSize=4\r\n")) << ini;
}

// The text of the program's visible tooltip once it reads `expected` (or
// whatever it reads after three seconds).
std::string ToolTipText(const RunningProgram& program, const std::string& expected)
{
    std::string text;
    for (int waited = 0; waited < 3000; waited += 100) {
        Sleep(100);
        for (HWND tip : TopLevelWindows("tooltips_class32", program.process.dwProcessId))
            if (IsWindowVisible(tip))
                text = ControlText(tip);
        if (text == expected)
            break;
    }
    return text;
}

// The toolbar: each button's tooltip, the Redo tooltip's preview of the next
// move, and each button's command.
TEST_F(Play, ToolbarButtonsShowTheirTipsAndRunTheirCommands)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    SetForegroundWindow(program.window);
    const struct {
        int command;
        const char* text;
    } buttons[] = {{IDM_NEW, "New"}, {IDM_RECORD, "Record Top10"}, {IDM_CONFIG, "Config"},
                   {IDM_AGAIN, "Again"}, {IDM_UNDO, "Undo"}, {IDM_REDO, "Redo"}};
    for (const auto& button : buttons) {
        RECT rect = ToolbarButtonRect(toolbar, button.command);
        ASSERT_FALSE(IsRectEmpty(&rect)) << button.text;
        MovePointer((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        EXPECT_EQ(button.text, ToolTipText(program, button.text));
    }
    // Nothing can be redone on a fresh game: the Redo tip previews nothing.
    EXPECT_EQ("0(0) Click", Counter());
    EXPECT_EQ(" ", Field(5));
    MovePointer(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    // The Redo tip of the first round must be gone, or resting on Redo again
    // would find it still shown and ask for no text (and no preview).
    for (DWORD start = GetTickCount(); GetTickCount() - start < WindowWait; Sleep(50)) {
        bool shown = false;
        for (HWND tip : TopLevelWindows("tooltips_class32", program.process.dwProcessId))
            shown = shown || IsWindowVisible(tip);
        if (!shown)
            break;
    }

    const int number = Number();
    const BoardGroup move = LargestGroup(BoardOf(DealtBoard()));
    Click(move.column, move.row);
    RightClick(0, 0);
    ASSERT_EQ("0(1) Click", Counter());
    // Nothing is highlighted after Undo, so a click alone removes nothing.
    const POINT at = CellPoint(move.column, move.row);
    SendWithin(program.window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    ASSERT_EQ("0(1) Click", Counter());

    // Resting on Redo asks for its tooltip, which highlights the group Redo removes.
    RECT redo = ToolbarButtonRect(toolbar, IDM_REDO);
    SetForegroundWindow(program.window);
    MovePointer((redo.left + redo.right) / 2 - 1, (redo.top + redo.bottom) / 2);
    Sleep(100);
    MovePointer((redo.left + redo.right) / 2, (redo.top + redo.bottom) / 2);
    EXPECT_EQ("Redo", ToolTipText(program, "Redo"));
    SaveScreenshot(program.window, ArtifactPath("redo-preview.bmp"));
    MovePointer(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    SendWithin(program.window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    ASSERT_EQ("1(1) Click", Counter());

    SetForegroundWindow(program.window);
    auto press = [&](int command) {
        RECT rect = ToolbarButtonRect(toolbar, command);
        ClickPointer((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        Settle(program.window, 300);
    };
    press(IDM_UNDO);
    EXPECT_EQ("0(1) Click", Counter());
    press(IDM_REDO);
    EXPECT_EQ("1(1) Click", Counter());
    press(IDM_AGAIN);
    EXPECT_EQ("0(1) Click", Counter());
    EXPECT_EQ(number, Number());
    press(IDM_NEW);
    EXPECT_EQ("0(0) Click", Counter());
    EXPECT_NE(number, Number());
    MovePointer(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}
