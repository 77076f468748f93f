// The move history: Undo by replay, Redo, Again, the Redo preview and the
// move slider.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "game/best_line.h"
#include "game/hint.h"
#include "game/history.h"
#include "game/scoring.h"
#include "tests/game_helpers.h"

#define NOW "\x8c\xbb\x8d\xdd"   // 現在
#define MOVES "\x8e\xe8\x82\xc5\x82\xb7\x81\x42"   // 手です。
#define BACK "\x8e\xe8\x82\xdc\x82\xc5\x96\xdf\x82\xe8\x82\xdc\x82\xb7\x81\x42"   // 手まで戻ります。
#define FORWARD "\x8e\xe8\x82\xdc\x82\xc5\x90\x69\x82\xdf\x82\xdc\x82\xb7"   // 手まで進めます

// What play changes: the tiles (without the marks), the score and the counts.
using Position = std::tuple<std::vector<unsigned char>, double, std::vector<int>>;

static Position Now()
{
    std::vector<unsigned char> cells = board.cells;
    for (unsigned char& cell : cells)
        cell &= CellTileMask;
    return {cells, game.score, std::vector<int>(std::begin(game.counts.count), std::end(game.counts.count))};
}

// Number 1 with a few moves, each at the first group; returns every position.
static std::vector<Position> Game(int moves)
{
    DealNumber(1);
    std::vector<Position> positions{Now()};
    for (int i = 0; i < moves; ++i) {
        EXPECT_EQ(PlayFirstGroups(1), 1);
        positions.push_back(Now());
    }
    ResetFakeFrontEnd();
    return positions;
}

TEST(History, UndoTwiceRedoTwiceAndAgain)
{
    std::vector<Position> p = Game(3);
    Move third = game.moves[3];
    UndoMove();
    // Only the Cells that change are drawn again.
    int changed = 0;
    for (std::size_t i = 0; i < board.cells.size(); ++i)
        changed += std::get<0>(p[2])[i] != std::get<0>(p[3])[i];
    EXPECT_EQ(CallCount("DrawCell "), changed);
    EXPECT_GT(changed, 0);
    UndoMove();
    EXPECT_EQ(Now(), p[1]);
    EXPECT_EQ(fake.clickCounter, "1(3) Click");
    EXPECT_TRUE(fake.enabled[GameCommand::Redo]);
    EXPECT_EQ(ui.selection.size, 0);
    EXPECT_EQ(fake.sounds, std::vector<SoundEvent>(2, SoundEvent::Click));
    EXPECT_EQ(fake.scoreBar[6], std::to_string(static_cast<int>(std::get<1>(p[1]))));
    EXPECT_FALSE(game.replaying);

    RedoMove();
    EXPECT_EQ(Now(), p[2]);
    EXPECT_TRUE(fake.enabled[GameCommand::Redo]);
    RedoMove();
    EXPECT_EQ(Now(), p[3]);
    EXPECT_FALSE(fake.enabled[GameCommand::Redo]);
    EXPECT_EQ(game.moves[3].column, third.column);
    EXPECT_EQ(game.moves[3].row, third.row);
    EXPECT_EQ(fake.clickCounter, "3(3) Clicks");
    EXPECT_FALSE(game.redoing);

    // Nothing left to redo: no sound, and Redo stays disabled.
    fake.sounds.clear();
    RedoMove();
    EXPECT_TRUE(fake.sounds.empty());
    EXPECT_FALSE(fake.enabled[GameCommand::Redo]);

    // Again replays the whole game: back to the deal with every move to redo.
    PlayAgain();
    EXPECT_EQ(Now(), p[0]);
    EXPECT_EQ(fake.clickCounter, "0(3) Click");
    EXPECT_TRUE(fake.enabled[GameCommand::Redo]);
    EXPECT_FALSE(game.replaying);
    RedoMove();
    EXPECT_EQ(Now(), p[1]);
    // A new game forgets the moves.
    StartGame(false, false);
    EXPECT_EQ(fake.clickCounter, "0(0) Click");
    EXPECT_FALSE(fake.enabled[GameCommand::Redo]);
}

TEST(History, ANewMoveAfterUndoCutsOffRedo)
{
    Game(3);
    UndoMove();
    // The last group the rules list: not the one from the bottom-left that the third move took.
    std::vector<BoardGroup> groups = GroupsOf(board, GameMode::IroGame);
    auto last = std::find_if(groups.rbegin(), groups.rend(), [](const BoardGroup& g) { return g.size >= 2; });
    const int c = last->column, r = last->row;
    ASSERT_FALSE(c == game.moves[3].column && r == game.moves[3].row);
    PlayAt(c, r);
    EXPECT_EQ(game.moveCount, 3);
    EXPECT_EQ(game.moveIndex, 3);
    EXPECT_EQ(game.moves[3].column, c);
    EXPECT_EQ(game.moves[3].row, r);
    EXPECT_FALSE(fake.enabled[GameCommand::Redo]);
}

TEST(History, AnimatedSetsNeverAnimateReplays)
{
    DealNumber(1, 16, 12, TileSetAnimated32);
    int c = 0, r = 0;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(FirstGroup(&c, &r));
        PlayAt(c, r);
        ASSERT_EQ(ui.animState, AnimState::Vanishing);
        // Neither Undo nor the move slider goes back while the group vanishes.
        int index = game.moveIndex;
        UndoMove();
        EXPECT_EQ(game.moveIndex, index);
        MoveSliderOpened();
        MoveSliderScrolled(SliderRequest::Thumb, 0);
        MoveSliderOk();
        EXPECT_EQ(game.moveIndex, index);
        ui.animState = AnimState::Finished;
        ClickAt(ui.anchorColumn * board.ts, ui.anchorRow * board.ts);
        ui.animState = AnimState::Idle;
    }
    ASSERT_EQ(game.moveIndex, 3);
    UndoMove();
    EXPECT_EQ(ui.animState, AnimState::Idle);
    EXPECT_EQ(game.moveIndex, 2);
    RedoMove();
    EXPECT_EQ(ui.animState, AnimState::Idle);
    EXPECT_EQ(game.moveIndex, 3);
    EXPECT_FALSE(ui.timerRunning);
}

TEST(History, RedoPreviewHighlightsTheNextMove)
{
    std::vector<Position> p = Game(2);
    UndoMove();
    Move next = game.moves[2];
    PreviewRedo();
    EXPECT_GE(CellAt(next.column, next.row), CellMarkBit);
    EXPECT_GE(ui.selection.size, 2);
    EXPECT_EQ(fake.clickCounter, "1(2) Click");
    RedoMove();
    EXPECT_EQ(Now(), p[2]);
    // Nothing to redo: nothing is highlighted.
    HighlightGroupAt(0, board.rows - 1);
    HoverAt(0, 0, 0);
    fake.calls.clear();
    PreviewRedo();
    EXPECT_TRUE(fake.calls.empty());
}

TEST(History, MoveSliderTextsAndForwardJump)
{
    std::vector<Position> p = Game(10);
    for (int i = 0; i < 6; ++i)
        UndoMove();
    ASSERT_EQ(game.moveIndex, 4);
    MoveSliderOpened();
    EXPECT_EQ(moveSlider.maximum, 10);
    EXPECT_EQ(moveSlider.position, 4);
    char text[128];
    FormatMoveSliderText(text, sizeof text);
    EXPECT_STREQ(text, NOW "4" MOVES);

    EXPECT_EQ(MoveSliderScrolled(SliderRequest::PageRight, 0), 9);
    FormatMoveSliderText(text, sizeof text);
    EXPECT_STREQ(text, NOW "4" MOVES "9" FORWARD);
    EXPECT_EQ(MoveSliderScrolled(SliderRequest::StepRight, 0), 10);
    EXPECT_EQ(MoveSliderScrolled(SliderRequest::StepRight, 0), 10);
    FormatMoveSliderText(text, sizeof text);
    EXPECT_STREQ(text, NOW "4" MOVES "10" FORWARD);
    EXPECT_EQ(MoveSliderScrolled(SliderRequest::Other, 0), 10);

    bool redoBefore = fake.enabled[GameCommand::Redo];
    fake.sounds.clear();
    MoveSliderOk();
    EXPECT_EQ(game.moveIndex, 10);
    EXPECT_EQ(Now(), p[10]);
    EXPECT_EQ(fake.enabled[GameCommand::Redo], redoBefore);
    EXPECT_EQ(fake.sounds, std::vector<SoundEvent>{SoundEvent::Click});
    EXPECT_FALSE(game.redoing);
}

TEST(History, MoveSliderBackwardJumps)
{
    std::vector<Position> p = Game(6);
    MoveSliderOpened();
    EXPECT_EQ(MoveSliderScrolled(SliderRequest::PageLeft, 0), 1);
    EXPECT_EQ(MoveSliderScrolled(SliderRequest::StepLeft, 0), 0);
    EXPECT_EQ(MoveSliderScrolled(SliderRequest::PageLeft, 0), 0);
    EXPECT_EQ(MoveSliderScrolled(SliderRequest::Thumb, 2), 2);
    char text[128];
    FormatMoveSliderText(text, sizeof text);
    EXPECT_STREQ(text, NOW "6" MOVES "2" BACK);
    EXPECT_EQ(MoveSliderScrolled(SliderRequest::Thumb, 0), 0);
    MoveSliderOk();
    EXPECT_EQ(game.moveIndex, 0);
    EXPECT_EQ(game.moveCount, 6);
    EXPECT_EQ(Now(), p[0]);

    // OK at the current position changes nothing.
    MoveSliderOpened();
    fake.calls.clear();
    MoveSliderOk();
    EXPECT_TRUE(fake.calls.empty());
}

TEST(History, UndoStepsBackThroughAWholeGame)
{
    for (int kind : {TileSetPlain, TileSetRoad}) {
        FreshGame(30, 20, kind, 4);
        game.number = 2024;
        StartGame(true, false);
        std::vector<Position> positions{Now()};
        while (PlayFirstGroups(1) == 1)
            positions.push_back(Now());
        ASSERT_GT(positions.size(), 40u);
        for (int k = static_cast<int>(positions.size()) - 2; k >= 0; --k) {
            UndoMove();
            ASSERT_EQ(game.moveIndex, k);
            EXPECT_EQ(Now(), positions[k]);
        }
        // And forward again with the slider.
        MoveSliderOpened();
        MoveSliderScrolled(SliderRequest::Thumb, game.moveCount);
        MoveSliderOk();
        EXPECT_EQ(Now(), positions.back());
    }
}

TEST(History, UndoOnASavedGameThatHasGoneStartsANewGame)
{
    Game(3);
    game.loadedFile = ::testing::TempDir() + "no_such_saved_game.tgw";
    UndoMove();
    EXPECT_FALSE(game.replaying);
    EXPECT_TRUE(game.loadedFile.empty());
    EXPECT_EQ(game.moveIndex, 0);
    EXPECT_EQ(game.moveCount, 0);
    EXPECT_EQ(TilesLeft(), 192);
    EXPECT_EQ(fake.clickCounter, "0(0) Click");
    // Right after a deal Undo does nothing at all.
    ResetFakeFrontEnd();
    UndoMove();
    EXPECT_TRUE(fake.calls.empty());
}

// The search's line for the position after two moves replaces the moves held
// for Redo; Redo plays it out to the search's score, Undo goes back. A line
// asked for before the game moved on is not loaded.
TEST(History, TheBestLineIsRedoneToItsScore)
{
    Game(3);
    UndoMove();
    const SolvePosition asked = PositionOfGame();
    SolveOptions limited;
    limited.playoutLimit = 2000;
    const SolveResult found = Solve(asked, SolveObjective::Score, 60, limited);
    ASSERT_GT(found.line.size(), 1u);
    const double before = game.score;
    EXPECT_FALSE(LoadBestLine(asked, SolveResult()));
    ASSERT_TRUE(LoadBestLine(asked, found));
    EXPECT_EQ(game.moveCount, 2 + static_cast<int>(found.line.size()));
    EXPECT_TRUE(fake.enabled[GameCommand::Redo]);
    EXPECT_TRUE(game.tally.assisted);
    for (std::size_t k = 0; k < found.line.size(); ++k)
        RedoMove();
    EXPECT_TRUE(IsGameOver());
    EXPECT_EQ(game.score - before, static_cast<double>(found.score));
    EXPECT_FALSE(fake.enabled[GameCommand::Redo]);
    for (std::size_t k = 0; k < found.line.size(); ++k)
        UndoMove();
    EXPECT_EQ(PositionOfGame().cells, asked.cells);
    PlayFirstGroups(1);
    EXPECT_FALSE(LoadBestLine(asked, found));
    EXPECT_EQ(game.moveCount, 3);
}
