// The keyboard's cursor and the Hint, through the recording front end: they
// mark and remove groups exactly as the pointer does.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "display/tile_set.h"
#include "game/hint.h"
#include "game/keyboard.h"
#include "game/scoring.h"
#include "tests/game_helpers.h"

static void FreshKeyboardGame(const std::vector<std::string>& rows)
{
    FreshGame(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    SetRows(rows);
    keyCursor = KeyCursor();
}

TEST(Keyboard, ArrowsMoveTheCursorWithinTheBoardAndMarkAsHovering)
{
    FreshKeyboardGame({"1231", "1231", "2311"});
    // The first arrow shows the cursor on the bottom-left Cell without moving it.
    MoveCursor(CursorKey::Up);
    EXPECT_TRUE(CursorAt(0, 2));
    EXPECT_EQ(fake.scoreBar[ScoreBarSizeField], "1");   // a lone tile, as hovering shows it
    EXPECT_NE(std::find(fake.calls.begin(), fake.calls.end(), "DrawCell 0 2"), fake.calls.end());

    const struct {
        CursorKey key;
        int column;
        int row;
        const char* size;
    } steps[] = {
        // Each edge of the board stops the cursor.
        {CursorKey::Down, 0, 2, "1"},  {CursorKey::Left, 0, 2, "1"},  {CursorKey::Up, 0, 1, "2"},
        {CursorKey::Up, 0, 0, "2"},    {CursorKey::Up, 0, 0, "2"},    {CursorKey::Right, 1, 0, "2"},
        {CursorKey::Right, 2, 0, "2"}, {CursorKey::Right, 3, 0, "4"}, {CursorKey::Right, 3, 0, "4"},
    };
    for (const auto& s : steps) {
        MoveCursor(s.key);
        EXPECT_TRUE(CursorAt(s.column, s.row)) << s.column << "," << s.row;
        EXPECT_EQ(fake.scoreBar[ScoreBarSizeField], s.size);
        // The frame shows on the cursor's Cell alone.
        EXPECT_EQ(fake.framed, (std::set<std::pair<int, int>>{{s.column, s.row}}));
    }
    // The mark is the pointer's own.
    std::vector<std::string> marked = Rows();
    HoverAt(3 * board.ts, 0, 0);
    EXPECT_EQ(Rows(), marked);
}

TEST(Keyboard, SpaceRemovesAsAClickAndTheCursorStaysOnATile)
{
    FreshKeyboardGame({"1200", "1200", "3300"});
    MoveCursor(CursorKey::Right);   // shows at (0, 2): the 3s
    PressCursor();
    EXPECT_EQ(game.moveIndex, 1);
    EXPECT_EQ(fake.sounds, std::vector<SoundEvent>{SoundEvent::Click});
    EXPECT_EQ(fake.clickCounter, "1(1) Click");
    EXPECT_TRUE(CursorAt(0, 2));    // the 1s fell into place
    EXPECT_EQ(fake.scoreBar[ScoreBarSizeField], "2");

    // Removing the 1s empties column 0: column 1 closes in and the cursor
    // stays on its bottom tile; the 2s end the game.
    PressCursor();
    EXPECT_TRUE(CursorAt(0, 2));
    EXPECT_EQ(CellAt(0, 2), 2 | CellMarkBit);
    PressCursor();
    EXPECT_TRUE(game.gameOver);
    EXPECT_EQ(TilesLeft(), 0);
    // After the end Space does nothing and asks nothing.
    PressCursor();
    EXPECT_EQ(game.moveIndex, 3);
    EXPECT_TRUE(fake.messages.empty());

    // A cursor left on an emptied Cell settles on the tile below it, else on
    // the top tile of the nearest column to the left.
    FreshKeyboardGame({"100", "100", "111"});
    keyCursor = KeyCursor{true, 2, 0};
    SettleCursor();
    EXPECT_TRUE(CursorAt(2, 2));
    FreshKeyboardGame({"110", "110", "110"});
    keyCursor = KeyCursor{true, 2, 0};
    SettleCursor();
    EXPECT_TRUE(CursorAt(1, 0));
    HideCursor();
    EXPECT_FALSE(keyCursor.shown);
}

TEST(Keyboard, HintMarksTheGroupThatLeadsToTheClear)
{
    // Only the 2s first lets the board clear.
    FreshKeyboardGame({"131", "323", "121", "333"});
    SolvePosition asked = PositionOfGame();
    SolveResult r = Solve(asked, SolveObjective::FewestLeft, 0.2);
    ASSERT_TRUE(r.cleared);
    EXPECT_TRUE(ShowHint(asked, r));
    EXPECT_EQ(fake.clickCounter, HintClearsText);
    EXPECT_GE(ui.selection.size, 2);
    EXPECT_NE(CellAt(r.line[0].column, r.line[0].row) & CellMarkBit, 0);

    // A Board that moved on since the search asked shows nothing.
    PlayAt(r.line[0].column, r.line[0].row);
    fake.clickCounter.clear();
    EXPECT_FALSE(ShowHint(asked, r));
    EXPECT_EQ(fake.clickCounter, "");
}

TEST(Keyboard, AfterAnAnimatedRemovalTheCursorFollowsTheTilesAtOnce)
{
    const struct {
        std::vector<std::string> rows;
        int column, row;            // where Space is pressed
        int endColumn, endRow;      // where the cursor is when the vanishing ends
        const char* size;           // the score bar's size field then
    } cases[] = {
        {{"12", "12", "33"}, 0, 2, 0, 2, "2"},           // the 1s fall under the cursor
        {{"100", "100", "333"}, 2, 2, 0, 1, "2"},        // the columns close: the top tile to the left
        {{"22", "11"}, 1, 1, 1, 1, "2"},                 // the 2s fall
        {{"11"}, 1, 0, 0, 0, nullptr},                   // the board is cleared: nothing to mark
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows[0]);
        FreshKeyboardGame(c.rows);
        tileSetInfo.kind = TileSetAnimated32;
        tileSetInfo.frameCount = 4;
        PlaceCursor(c.column, c.row);
        PressCursor();
        ASSERT_EQ(ui.animState, AnimState::Vanishing);
        // Arrow keys wait for the vanishing to end.
        MoveCursor(CursorKey::Up);
        EXPECT_TRUE(CursorAt(c.column, c.row));
        for (int tick = 0; tick < 10 && ui.animState != AnimState::Idle; ++tick)
            AnimationTimerTick();
        ASSERT_EQ(ui.animState, AnimState::Idle);
        EXPECT_EQ(game.moveIndex, 1);
        EXPECT_TRUE(CursorAt(c.endColumn, c.endRow));
        EXPECT_EQ(fake.framed, (std::set<std::pair<int, int>>{{c.endColumn, c.endRow}}));
        if (c.size) {
            // Marked as hovering marks it: the size, the mark, the selection's loop.
            EXPECT_EQ(fake.scoreBar[ScoreBarSizeField], c.size);
            EXPECT_NE(CellAt(c.endColumn, c.endRow) & CellMarkBit, 0);
            EXPECT_TRUE(fake.timerRunning);
        } else {
            EXPECT_TRUE(game.gameOver);
            EXPECT_FALSE(fake.timerRunning);
        }
    }
}
