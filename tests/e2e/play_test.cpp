// Games as a player plays them: in one program run the mouse, the Game menu,
// the toolbar and its Redo preview, the move slider, the retry question at the
// end and the settings the close box writes; in another the keyboard and the
// Hint, whose game enters no record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/game_window.h"

namespace {

const char RetryQuestion[] =
    "\x93\xaf\x82\xb6\x96\xca\x82\xc5\x82\xe2\x82\xe8\x92\xbc\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48";  // 同じ面でやり直しますか？
const char BestLineCaption[] = "\x8d\xc5\x91\x50\x8e\xe8\x8f\x87";  // 最善手順
const char AssistedText[] =
    "\x83\x71\x83\x93\x83\x67\x82\xa9\x8d\xc5\x91\x50\x8e\xe8"
    "\x8f\x87\x82\xf0\x8e\x67\x82\xc1\x82\xbd\x82\xcc\x82\xc5"
    "\x81\x41\x8b\x4c\x98\x5e\x82\xc9\x82\xe0\x93\x9d\x8c\x76"
    "\x82\xc9\x82\xe0\x93\xfc\x82\xe8\x82\xdc\x82\xb9\x82\xf1";  // ヒントか最善手順を使ったので、記録にも統計にも入りません
const char SliderAtOne[] = "\x8c\xbb\x8d\xdd" "1\x8e\xe8\x82\xc5\x82\xb7\x81\x42";  // 現在1手です。

class Play : public GameWindowTest {
protected:
    // A key handled before this returns (no Ctrl or Alt held).
    void Key(WPARAM key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            SendWithin(program.window, WM_KEYDOWN, key, 1);
    }

    // Removes the largest group of board (saved-game text), which follows the move.
    void PlayLargest(std::string& board)
    {
        const BoardGroup move = LargestGroup(BoardOf(board));
        ASSERT_GE(move.size, 2);
        Click(move.column, move.row);
        board = RunTool("play - " + MoveText(move), board);
    }

    // The click counter and the tile counts as shown, and as at a move of a board.
    std::string Shown() const { return Counter() + " " + ShownCounts(3); }
    static std::string Showing(int index, int count, const std::string& board)
    {
        return CounterText(index, count) + " " + CountsText(board, 3);
    }

    // The move slider, opened by a right click on a bar or a click into the counter.
    Dialog Slider(HWND from, bool rightClick)
    {
        PostClick(from, rightClick);
        return Dialog{WaitForWindow(program, "#32770")};
    }

    // Rests the real pointer on the Redo button: the tip's text once shown.
    std::string RedoTip()
    {
        SetForegroundWindow(program.window);
        const RECT rect = ToolbarButtonRect(toolbar, IDM_REDO);
        MovePointer((rect.left + rect.right) / 2 - 1, (rect.top + rect.bottom) / 2);
        Sleep(100);
        MovePointer((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        std::string text;
        for (int waited = 0; waited < 3000 && text.empty(); waited += 100, Sleep(100))
            for (HWND tip : TopLevelWindows("tooltips_class32", program.process.dwProcessId))
                text = IsWindowVisible(tip) ? ControlText(tip) : text;
        return text;
    }
};

}  // namespace

TEST_F(Play, MouseMenuToolbarSliderAndTheRetryQuestion)
{
    const std::string settings = SmallSheetUnbeaten();
    ASSERT_NO_FATAL_FAILURE(Start(settings));
    int number = Number();
    const std::string dealt = DealtBoard(SmallSheetOptions);
    ASSERT_EQ(8, BoardOf(dealt).columns);
    EXPECT_EQ(Showing(0, 0, dealt), Shown());

    // Hover shows the group's size; after the click, the score is hanabo-tool's (line 3).
    std::string board = dealt;
    const BoardGroup move = LargestGroup(BoardOf(board));
    Hover(move.column, move.row);
    EXPECT_EQ(std::to_string(move.size), Field(5));
    ASSERT_NO_FATAL_FAILURE(PlayLargest(board));
    const std::string first = board;
    EXPECT_EQ(Showing(1, 1, first), Shown());
    const std::size_t scoreLine = first.find("\r\n", first.find("\r\n") + 2) + 2;
    EXPECT_EQ(first.substr(scoreLine, first.find("\r\n", scoreLine) - scoreLine), Field(6));

    // The right button undoes, Game > Redo redoes.
    RightClick(0, 0);
    EXPECT_EQ(Showing(0, 1, dealt), Shown());
    EXPECT_EQ("0", Field(6));
    MenuItem('G', 'R');
    EXPECT_EQ(Showing(1, 1, first), Shown());
    ASSERT_NO_FATAL_FAILURE(PlayLargest(board));
    EXPECT_EQ("2(2) Clicks", Counter());

    // While the window is minimised, keys of menu items do nothing.
    Keys({VK_ESCAPE});
    ASSERT_TRUE(IsIconic(program.window));
    Keys({VK_CONTROL, 'N'});
    Keys({VK_CONTROL, 'A'});
    SendWithin(program.window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(program.window));
    EXPECT_EQ("2(2) Clicks", Counter());

    // Game > Undo takes one move back, Game > Again all, Game > New deals anew.
    MenuItem('G', 'U');
    EXPECT_EQ(Showing(1, 2, first), Shown());
    MenuItem('G', 'A');
    EXPECT_EQ(Showing(0, 2, dealt), Shown());
    EXPECT_EQ(number, Number());
    MenuItem('G', 'N');
    EXPECT_NE(number, Number());
    EXPECT_EQ("0(0) Click", Counter());
    number = Number();

    // The Redo button's tip after an Undo highlights the group Redo removes,
    // so that a click there, where nothing was highlighted, removes it again.
    const std::string second = DealtBoard(SmallSheetOptions);
    board = second;
    const BoardGroup next = LargestGroup(BoardOf(board));
    ASSERT_NO_FATAL_FAILURE(PlayLargest(board));
    RightClick(0, 0);
    Mouse(next.column, next.row, WM_LBUTTONUP);
    ASSERT_EQ("0(1) Click", Counter());
    EXPECT_EQ("Redo", RedoTip());
    SaveScreenshot(program.window, ArtifactPath("redo-preview.bmp"));
    ParkPointer();
    Mouse(next.column, next.row, WM_LBUTTONUP);
    ASSERT_EQ("1(1) Click", Counter());

    // The toolbar's buttons run their commands.
    ASSERT_NO_FATAL_FAILURE(PlayLargest(board));
    ASSERT_NO_FATAL_FAILURE(PlayLargest(board));
    PressButton(IDM_UNDO);
    EXPECT_EQ("2(3) Clicks", Counter());
    PressButton(IDM_AGAIN);
    EXPECT_EQ(Showing(0, 3, second), Shown());
    PressButton(IDM_REDO);
    EXPECT_EQ("1(3) Click", Counter());
    EXPECT_EQ(number, Number());

    // The move slider from the toolbar: a page forward, applied by OK; from
    // the counter box, which keeps no focus: back to the deal.
    Dialog slider = Slider(toolbar, true);
    ASSERT_NE(nullptr, slider.window);
    EXPECT_EQ(SliderAtOne, slider.Text(IDC_SLIDER_TEXT));
    SaveScreenshot(slider.window, ArtifactPath("move-slider.bmp"));
    SendWithin(slider.window, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_TRUE(slider.Answer(IDOK));
    EXPECT_EQ(Showing(3, 3, board), Shown());
    slider = Slider(counter, false);
    ASSERT_NE(nullptr, slider.window);
    EXPECT_NE(counter, GetFocusOf(program.window));
    SendWithin(slider.window, WM_HSCROLL, SB_PAGELEFT, 0);
    EXPECT_TRUE(slider.Answer(IDOK));
    EXPECT_EQ(Showing(0, 3, second), Shown());
    // From the score bar, Cancel changes nothing; so does a move over the board.
    slider = Slider(scoreBar, true);
    SendWithin(slider.window, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_TRUE(slider.Answer(IDCANCEL));
    slider = Slider(toolbar, true);
    Hover(0, 0);
    EXPECT_TRUE(slider.window && WaitUntilClosed(slider.window, 1000));
    EXPECT_EQ("0(3) Click", Counter());
    PressButton(IDM_NEW);
    EXPECT_EQ("0(0) Click", Counter());
    EXPECT_NE(number, Number());

    // Greedy play to the end: nothing is asked before the pointer moves.
    number = Number();
    const std::string last = DealtBoard(SmallSheetOptions);
    board = last;
    std::vector<BoardGroup> played;
    while (LargestGroup(BoardOf(board)).size >= 2) {
        played.push_back(LargestGroup(BoardOf(board)));
        ASSERT_NO_FATAL_FAILURE(PlayLargest(board));
        ASSERT_EQ(CounterText(static_cast<int>(played.size()), static_cast<int>(played.size())), Counter());
    }
    const int k = static_cast<int>(played.size());
    ASSERT_GE(k, 2);
    EXPECT_EQ(Showing(k, k, board), Shown());
    EXPECT_EQ(nullptr, WaitForWindow(program, "#32770", 300));

    // The next mouse move asks; Yes deals the same board with the moves kept.
    PostMessageA(program.window, WM_MOUSEMOVE, 0, MAKELPARAM(CellPoint(0, 0).x, CellPoint(0, 0).y));
    Dialog box = OpenedDialog(program, "Hanabo32");
    ASSERT_NE(nullptr, box.window);
    EXPECT_NE(std::string::npos, DialogTexts(box.window).find(std::string(RetryQuestion) + "|"));
    EXPECT_TRUE(box.Answer(IDYES));
    EXPECT_EQ(number, Number());
    EXPECT_EQ(Showing(0, k - 1, last), Shown());

    // Redo all but the last move, which ends the game again; after an Undo
    // the question still comes, and No deals a new number.
    for (int i = 1; i < k; ++i)
        Keys({VK_CONTROL, 'R'});
    EXPECT_EQ(CounterText(k - 1, k - 1), Counter());
    Click(played.back().column, played.back().row);
    EXPECT_EQ(CounterText(k, k), Counter());
    RightClick(0, 0);
    EXPECT_EQ(CounterText(k - 1, k), Counter());
    PostMessageA(program.window, WM_MOUSEMOVE, 0, MAKELPARAM(CellPoint(0, 0).x, CellPoint(0, 0).y));
    EXPECT_TRUE(OpenedDialog(program, "Hanabo32").Answer(IDNO));
    EXPECT_NE(number, Number());
    EXPECT_EQ("0(0) Click", Counter());

    // Game > Best line: a dialog shows the search; its line, hanabo-tool's at
    // the same playouts, is loaded for Redo and stepped through to the end.
    const std::string fresh = DealtBoard(SmallSheetOptions);
    MenuItem('G', 'B');
    const Dialog progress = OpenedDialog(program, BestLineCaption);
    ASSERT_NE(nullptr, progress.window);
    SaveScreenshot(progress.window, ArtifactPath("best_line.bmp"));
    ASSERT_TRUE(WaitUntilClosed(progress.window, 6 * WindowWait));
    std::string line = RunTool("solve - --seconds 600 --playouts 300000", fresh);
    line = line.substr(0, line.find('\n'));
    const int moves = static_cast<int>(std::count(line.begin(), line.end(), ','));
    ASSERT_GE(moves, 2);
    EXPECT_EQ(CounterText(0, moves), WaitForText(counter, CounterText(0, moves)));
    for (int i = 0; i < moves; ++i)
        Keys({VK_CONTROL, 'R'});
    EXPECT_EQ(CounterText(moves, moves), Counter());
    ParkPointer();
    SaveScreenshot(program.window, ArtifactPath("best-line-end.bmp"));
    EXPECT_EQ("", Differences(ClientShot(), Expected(RunTool("play - " + line, fresh), " --cellno 3",
                                                     "best-line-expected.bmp")));

    // The close box writes every setting as it was read.
    PostMessageA(program.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(0, WaitForExit(program));
    EXPECT_EQ(FormatSettings(SettingsRead(program.directory, settings), &settings),
              ReadWholeFile(program.directory + "Hanabo.ini"));
}

// From the keyboard: H marks a group, then the arrow keys, Space and Enter
// play a small sheet to its end; records that any game beats stay as they were.
TEST_F(Play, HintThenArrowsAndSpacePlayToTheEnd)
{
    // An animated set: the cursor follows the tiles when a vanishing ends.
    const std::string beaten = Records("8x6(3)", "-1", "99999");
    std::string settings = SmallSheetSettings + beaten;
    settings.insert(std::strlen(SmallSheetSettings), "Bitmap=" + ProgramFolder() + "Jewels32.bmp\r\nAnimIntrvl=20\r\n");
    ASSERT_NO_FATAL_FAILURE(Start(settings));
    std::string board = DealtBoard(SmallSheetOptions);
    const Board dealt = BoardOf(board);
    ASSERT_EQ(8, dealt.columns);

    // H marks a group; a note that the board can be cleared gives way to the clicks.
    Key('H');
    for (int waited = 0; waited < 5000 && std::atoi(Field(5).c_str()) < 2; waited += 100)
        Sleep(100);
    ASSERT_GE(std::atoi(Field(5).c_str()), 2) << Field(5);
    EXPECT_EQ(CounterText(0, 0), WaitForText(counter, CounterText(0, 0), 6000));

    int played = 0;
    for (BoardGroup move = LargestGroup(dealt); move.size >= 2; move = LargestGroup(BoardOf(board))) {
        // To the bottom-left Cell, which holds a tile, then up and right.
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
        // The vanishing has ended: the cursor's group is marked.
        if (LargestGroup(BoardOf(board)).size >= 2) {
            EXPECT_GE(std::atoi(Field(5).c_str()), 1) << Field(5);
        }
        // Undo back past the Hint, and Redo.
        if (played == 1) {
            Keys({VK_CONTROL, 'U'});
            Keys({VK_CONTROL, 'R'});
            ASSERT_EQ(CounterText(1, 1), Counter());
        }
    }
    ASSERT_GE(played, 2);
    // The game is over and used the Hint: the player is told that it enters
    // no record; Space removes nothing more and nothing more is asked yet.
    const MessageBoxTexts told = AnswerMessageBox(program);
    EXPECT_EQ(AssistedText, told.text);
    EXPECT_EQ("Hanabo32", told.caption);
    Key(VK_SPACE);
    EXPECT_EQ(CounterText(played, played), Counter());
    EXPECT_EQ(nullptr, WaitForWindow(program, "#32770", 300));
    PostMessageA(program.window, WM_CLOSE, 0, 0);
    ASSERT_EQ(0, WaitForExit(program));
    EXPECT_NE(std::string::npos, ReadWholeFile(program.directory + "Hanabo.ini").find(beaten));
    EXPECT_FALSE(FileExists(program.directory + "Hanabo.sta"));
}
