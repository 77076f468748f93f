// The pointer's policy: what a move over the board puts away or asks first,
// what a click removes, and the click that ends a vanishing animation.
#include "game/pointer.h"

#include <cstdio>

#include "game/animation.h"
#include "game/board.h"
#include "game/campaign.h"
#include "game/front_end.h"
#include "game/groups.h"
#include "game/removal.h"
#include "game/scoring.h"
#include "game/session.h"

void HoverAt(int x, int y, int keys)
{
    if (ui.animState != AnimState::Idle || !HoldsItsCells(board))
        return;
    HideRecordDialogs();
    CloseMoveSlider();
    if (RevealBars(y, keys))
        return;
    HoverCell(x / board.ts, y / board.ts);
}

void HoverCell(int column, int row)
{
    if (game.gameOver)
        AskRetry();
    if (column < 0)
        column = 0;
    if (column > board.columns - 1)
        column = board.columns - 1;
    if (row < 0)
        row = 0;
    if (row > board.rows - 1)
        row = board.rows - 1;
    if (CellAt(column, row) >= CellMarkBit)
        return;
    HighlightGroupAt(column, row);
    char text[16];
    if (ui.selection.size > 0)
        std::snprintf(text, sizeof text, "%d", ui.selection.size);
    else
        std::snprintf(text, sizeof text, " ");
    SetScoreBarField(ScoreBarSizeField, text);
}

void ClickAt(int x, int y)
{
    int column = x / board.ts;
    int row = y / board.ts;
    if (!HoldsItsCells(board) || !IsOnBoard(column, row) || ui.selection.size < 2)
        return;
    unsigned char cell = CellAt(column, row);
    if ((cell & CellTileMask) == 0 || cell < CellMarkBit)
        return;
    PlaySoundEvent(SoundEvent::Click);
    EnableCommand(GameCommand::Redo, false);
    game.moveCount = game.moveIndex + 1;
    RemoveGroup(column, row);
    game.gameOver = IsGameOver();
    if (game.gameOver) {
        if (game.campaign)
            EndStage();
        else
            EndGame();
    }
}

void AnimationTick()
{
    if (ui.animState != AnimState::Vanishing) {
        SelectionTick();
        return;
    }
    ui.animState = VanishingTick();
    if (ui.animState != AnimState::Finished)
        return;
    // The deferred click removes the group and stops the timer; should the
    // group no longer be there to remove, the timer must not tick on.
    StopTimer();
    ClickAt(ui.anchorColumn * board.ts, ui.anchorRow * board.ts);
    ui.animState = AnimState::Idle;
}
