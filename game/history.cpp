// The move history: recording, Undo by replay, Redo, Again and the move slider.
#include "game/history.h"

#include <cstdio>
#include <vector>

#include "game/board.h"
#include "game/front_end.h"
#include "game/groups.h"
#include "game/removal.h"
#include "game/scoring.h"
#include "game/session.h"

MoveSlider moveSlider;

// The slider's texts: where the game stands, and where OK would take it.
#define NOW_TEXT "\x8c\xbb\x8d\xdd" "%d" "\x8e\xe8\x82\xc5\x82\xb7\x81\x42"  // 現在%d手です。
static const char SliderNowText[] = NOW_TEXT;
static const char SliderBackText[] =
    NOW_TEXT "%d" "\x8e\xe8\x82\xdc\x82\xc5\x96\xdf\x82\xe8\x82\xdc\x82\xb7\x81\x42";  // 現在%d手です。%d手まで戻ります。
static const char SliderForwardText[] =
    NOW_TEXT "%d" "\x8e\xe8\x82\xdc\x82\xc5\x90\x69\x82\xdf\x82\xdc\x82\xb7";  // 現在%d手です。%d手まで進めます
#undef NOW_TEXT

static const int SliderPage = 5;

// The Board before an Undo, to redraw only what the replay changed.
static std::vector<unsigned char> cellsBeforeUndo;

// Applies a recorded move to the Board as a replay does. A move that no
// longer finds a group (the saved game it came from changed on disk) is left out.
static void ReplayMove(const Move& move)
{
    int column = move.column;
    int row = move.row;
    if (!IsOnBoard(column, row))
        return;
    unsigned char cell = CellAt(column, row);
    if (cell == 0 || cell >= CellMarkBit)
        return;
    MarkGroupAt(board, CurrentMode(), column, row, &ui.selection);
    if (ui.selection.size >= 2)
        RemoveGroup(column, row);
}

void UndoMove()
{
    if (game.moveIndex == 0 || ui.animState == AnimState::Vanishing)
        return;
    StopTimer();
    PlaySoundEvent(SoundEvent::Click);
    game.replaying = true;
    cellsBeforeUndo.assign(board.cells.begin(), board.cells.end());
    DealBoard(true);
    // A saved game that can no longer be read starts a new game instead,
    // which ends the replay: there is nothing left to replay the moves on.
    if (!game.replaying)
        return;
    BeginReplay();
    for (int k = 1; k < game.moveIndex && k < MoveHistorySize; ++k)
        ReplayMove(game.moves[k]);
    --game.moveIndex;
    game.replaying = false;
    ui.selection.size = 0;
    if (cellsBeforeUndo.size() == board.cells.size()) {
        for (int column = 0; column < board.columns; ++column)
            for (int row = 0; row < board.rows; ++row) {
                std::size_t i = static_cast<std::size_t>(row) * board.columns + column;
                if (board.cells[i] != cellsBeforeUndo[i])
                    DrawCell(column, row);
            }
    } else {
        RepaintBoard();
    }
    EnableCommand(GameCommand::Redo, true);
    ShowScoreBar();
    ShowClickCounter();
}

// Highlights and removes the next recorded move, as the player made it.
// False when the entry finds no group to remove.
static bool RedoNextMove()
{
    const Move& move = game.moves[game.moveIndex + 1];
    if (!IsOnBoard(move.column, move.row))
        return false;
    HighlightGroupAt(move.column, move.row);
    if (ui.selection.size < 2)
        return false;
    RemoveGroup(move.column, move.row);
    return true;
}

void RedoMove()
{
    StopTimer();
    game.redoing = true;
    if (game.moveCount > game.moveIndex && game.moveIndex + 1 < MoveHistorySize) {
        PlaySoundEvent(SoundEvent::Click);
        RedoNextMove();
    }
    game.redoing = false;
    ui.selection.size = 0;
    if (game.moveCount == game.moveIndex)
        EnableCommand(GameCommand::Redo, false);
}

void PlayAgain()
{
    game.replaying = true;
    StartGame(true, true);
}

void PreviewRedo()
{
    if (game.moveCount <= game.moveIndex || game.moveIndex + 1 >= MoveHistorySize)
        return;
    const Move& move = game.moves[game.moveIndex + 1];
    if (!IsOnBoard(move.column, move.row) || CellAt(move.column, move.row) >= CellMarkBit)
        return;
    HighlightGroupAt(move.column, move.row);
    ShowClickCounter();
}

void MoveSliderOpened()
{
    moveSlider.maximum = game.moveCount;
    moveSlider.position = game.moveIndex;
}

int ScrolledPosition(int position, SliderRequest request, int thumb, int page, int low, int high)
{
    int p = position;
    switch (request) {
    case SliderRequest::StepLeft:
        p -= 1;
        break;
    case SliderRequest::StepRight:
        p += 1;
        break;
    case SliderRequest::PageLeft:
        p -= page;
        break;
    case SliderRequest::PageRight:
        p += page;
        break;
    case SliderRequest::Thumb:
        p = thumb;
        break;
    case SliderRequest::Other:
        break;
    }
    return p < low ? low : p > high ? high : p;
}

int MoveSliderScrolled(SliderRequest request, int thumb)
{
    moveSlider.position = ScrolledPosition(moveSlider.position, request, thumb, SliderPage, 0, moveSlider.maximum);
    return moveSlider.position;
}

void FormatMoveSliderText(char* text, int size)
{
    std::size_t room = static_cast<std::size_t>(size);
    int p = moveSlider.position;
    if (p < game.moveIndex)
        std::snprintf(text, room, SliderBackText, game.moveIndex, p);
    else if (p > game.moveIndex)
        std::snprintf(text, room, SliderForwardText, game.moveIndex, p);
    else
        std::snprintf(text, room, SliderNowText, game.moveIndex);
}

void MoveSliderOk()
{
    int p = moveSlider.position;
    if (p == game.moveIndex)
        return;
    if (p < game.moveIndex) {
        // Undo does nothing while a group vanishes; the index must not move either.
        if (ui.animState == AnimState::Vanishing)
            return;
        game.moveIndex = p + 1;
        UndoMove();
        return;
    }
    if (p > game.moveCount)
        p = game.moveCount;
    PlaySoundEvent(SoundEvent::Click);
    game.redoing = true;
    while (game.moveIndex < p && game.moveIndex + 1 < MoveHistorySize)
        if (!RedoNextMove())
            break;
    game.redoing = false;
}
