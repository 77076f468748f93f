// The Hint: the search runs on a copy of the Board; its first move is marked
// as the pointer would mark it.
#include "game/hint.h"

#include "game/board.h"
#include "game/front_end.h"
#include "game/keyboard.h"
#include "game/pointer.h"
#include "game/statistics.h"
#include "storage/settings.h"

// "全消しできます" (the whole board can be cleared).
const char HintClearsText[] = "\x91\x53\x8f\xc1\x82\xb5\x82\xc5\x82\xab\x82\xdc\x82\xb7";

SolvePosition PositionOfGame()
{
    SolvePosition p;
    p.columns = board.columns;
    p.rows = board.rows;
    p.road = CurrentMode() == GameMode::ZededUdoz;
    p.cells = board.cells;
    for (unsigned char& cell : p.cells)
        cell &= CellTileMask;
    return p;
}

bool IsCurrentPosition(const SolvePosition& asked)
{
    const SolvePosition now = PositionOfGame();
    return now.columns == asked.columns && now.rows == asked.rows && now.road == asked.road &&
           now.cells == asked.cells;
}

SolveObjective HintObjective()
{
    return settings.ScoreOption ? SolveObjective::ScoreLessRest : SolveObjective::Score;
}

bool ShowHint(const SolvePosition& asked, const SolveResult& result)
{
    if (result.line.empty() || game.gameOver || ui.animState != AnimState::Idle)
        return false;
    if (!IsCurrentPosition(asked))
        return false;
    const SolveMove& first = result.line.front();
    MarkGameAssisted();
    if (keyCursor.shown)
        PlaceCursor(first.column, first.row);
    else
        HoverCell(first.column, first.row);
    if (!result.cleared)
        return false;
    SetClickCounter(HintClearsText);
    return true;
}
