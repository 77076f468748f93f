// The best line loaded into the history.
#include "game/best_line.h"

#include "game/board.h"
#include "game/front_end.h"
#include "game/hint.h"
#include "game/scoring.h"
#include "game/statistics.h"

bool LoadBestLine(const SolvePosition& asked, const SolveResult& result)
{
    if (result.line.empty() || game.gameOver || ui.animState != AnimState::Idle || !IsCurrentPosition(asked))
        return false;
    int count = game.moveIndex;
    for (const SolveMove& move : result.line) {
        if (count + 1 >= MoveHistorySize)
            break;
        ++count;
        game.moves[count] = Move{static_cast<unsigned char>(move.column), static_cast<unsigned char>(move.row)};
    }
    game.moveCount = count;
    MarkGameAssisted();
    EnableCommand(GameCommand::Redo, count > game.moveIndex);
    ShowClickCounter();
    return true;
}
