// The keyboard's cursor: it marks and removes groups through the same calls
// as the pointer, so that the counters, sounds, animation and history are
// the pointer's own.
#include "game/keyboard.h"

#include "game/board.h"
#include "game/front_end.h"
#include "game/pointer.h"

KeyCursor keyCursor;

static void DrawCursorCell()
{
    if (keyCursor.shown && IsOnBoard(keyCursor.column, keyCursor.row))
        DrawCell(keyCursor.column, keyCursor.row);
}

// Draws the Cell under the cursor without the frame, before the cursor
// leaves it.
static void EraseCursor()
{
    if (!keyCursor.shown)
        return;
    keyCursor.shown = false;
    if (IsOnBoard(keyCursor.column, keyCursor.row))
        DrawCell(keyCursor.column, keyCursor.row);
    keyCursor.shown = true;
}

void SettleCursor()
{
    KeyCursor& k = keyCursor;
    if (!HoldsItsCells(board))
        return;
    if (k.column > board.columns - 1)
        k.column = board.columns - 1;
    if (k.row > board.rows - 1)
        k.row = board.rows - 1;
    if (k.column < 0)
        k.column = 0;
    if (k.row < 0)
        k.row = 0;
    if ((CellAt(k.column, k.row) & CellTileMask) != 0)
        return;
    for (int column = k.column; column >= 0; --column) {
        for (int row = column == k.column ? k.row : 0; row < board.rows; ++row)
            if ((CellAt(column, row) & CellTileMask) != 0) {
                k.column = column;
                k.row = row;
                return;
            }
    }
    // No tile at or left of the cursor's column: the bottom-left Cell.
    k.column = 0;
    k.row = board.rows - 1;
}

static void MarkUnderCursor()
{
    HideRecordDialogs();
    CloseMoveSlider();
    HoverCell(keyCursor.column, keyCursor.row);
}

void PlaceCursor(int column, int row)
{
    if (!HoldsItsCells(board) || !IsOnBoard(column, row))
        return;
    EraseCursor();
    keyCursor.shown = true;
    keyCursor.column = column;
    keyCursor.row = row;
    DrawCursorCell();
    if (ui.animState == AnimState::Idle)
        MarkUnderCursor();
}

void MoveCursor(CursorKey key)
{
    if (ui.animState != AnimState::Idle || !HoldsItsCells(board))
        return;
    KeyCursor& k = keyCursor;
    EraseCursor();
    if (!k.shown) {
        k.shown = true;
        if (ui.selection.size >= 2 && IsOnBoard(ui.selection.minColumn, ui.selection.maxRow) &&
            (CellAt(ui.selection.minColumn, ui.selection.maxRow) & CellMarkBit) != 0) {
            k.column = ui.selection.minColumn;
            k.row = ui.selection.maxRow;
        } else {
            k.column = 0;
            k.row = board.rows - 1;
        }
        SettleCursor();
    } else {
        SettleCursor();
        switch (key) {
        case CursorKey::Left:
            if (k.column > 0)
                --k.column;
            break;
        case CursorKey::Right:
            if (k.column < board.columns - 1)
                ++k.column;
            break;
        case CursorKey::Up:
            if (k.row > 0)
                --k.row;
            break;
        case CursorKey::Down:
            if (k.row < board.rows - 1)
                ++k.row;
            break;
        }
    }
    DrawCursorCell();
    MarkUnderCursor();
}

// After a removal: the cursor moves onto a tile and marks the group there
// (unless the game has ended).
static void FollowRemoval()
{
    EraseCursor();
    SettleCursor();
    DrawCursorCell();
    if (!game.gameOver)
        MarkUnderCursor();
}

void PressCursor()
{
    KeyCursor& k = keyCursor;
    if (!k.shown || game.gameOver || ui.animState != AnimState::Idle || !HoldsItsCells(board))
        return;
    // The group under the cursor may have been put away meanwhile.
    if ((CellAt(k.column, k.row) & CellMarkBit) == 0)
        MarkUnderCursor();
    ClickAt(k.column * board.ts, k.row * board.ts);
    if (ui.animState == AnimState::Idle)
        FollowRemoval();
    // Otherwise the vanishing animation removes the group when it ends, and
    // AnimationTimerTick moves the cursor then.
}

void AnimationTimerTick()
{
    const bool vanishing = ui.animState == AnimState::Vanishing;
    AnimationTick();
    if (vanishing && ui.animState == AnimState::Idle && keyCursor.shown)
        FollowRemoval();
}

void HideCursor()
{
    if (!keyCursor.shown)
        return;
    keyCursor.shown = false;
    if (IsOnBoard(keyCursor.column, keyCursor.row))
        DrawCell(keyCursor.column, keyCursor.row);
}
