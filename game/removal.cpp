// Removing the highlighted group in play: the rules clear it, let the tiles
// fall and close the columns; the session keeps the score, the counts and the
// history, and draws again only the Cells that changed.
#include "game/removal.h"

#include <vector>

#include "game/animation.h"
#include "game/board.h"
#include "game/front_end.h"
#include "game/scoring.h"
#include "game/statistics.h"
#include "rules/removal.h"

namespace {

struct RemovalState {
    // The Board before a removal, to redraw only what it changed.
    std::vector<unsigned char> cellsBefore;
    // Replays may take the shortcut of a packed Board once it is known to be
    // one; nothing but the replay changes the Board while it runs.
    bool replayPacked = false;
};

}  // namespace

static RemovalState removal;

void RecordMove(int column, int row)
{
    if (game.moveIndex <= 0 || game.moveIndex >= MoveHistorySize)
        return;
    game.moves[game.moveIndex].column = static_cast<unsigned char>(column);
    game.moves[game.moveIndex].row = static_cast<unsigned char>(row);
}

void BeginReplay()
{
    removal.replayPacked = BoardIsPacked(board);
}

void RemoveGroup(int column, int row)
{
    StopTimer();
    if (TileSetAnimates() && ui.animState == AnimState::Idle && !game.replaying && !game.redoing) {
        BeginVanishingAnimation(column, row);
        return;
    }
    ui.animState = AnimState::Idle;

    Selection& s = ui.selection;
    int n = s.size;
    ScoreRemoval(n);
    int t = CellAt(column, row) & CellTileMask;
    if (CurrentMode() == GameMode::ZededUdoz)
        game.counts.count[1] -= n;
    else if (t <= MaxTileKinds)
        game.counts.count[t] -= n;

    if (!game.replaying) {
        ++game.moveIndex;
        s.size = 0;
        RecordMove(column, row);
        NoteRemoval();
        ShowScoreBar();
        ShowClickCounter();
        removal.cellsBefore.assign(board.cells.begin(), board.cells.end());
    }

    RemovalChange changed = RemoveMarkedGroup(board, &s, game.replaying && removal.replayPacked);

    if (!game.replaying) {
        const int columns = board.columns;
        const unsigned char* cells = board.cells.data();
        for (int r = 0; r < board.rows; ++r) {
            const unsigned char* now = cells + static_cast<std::size_t>(r) * columns;
            const unsigned char* before = removal.cellsBefore.data() + static_cast<std::size_t>(r) * columns;
            for (int c = changed.firstColumn; c <= changed.lastColumn; ++c)
                if (now[c] != before[c])
                    DrawCell(c, r);
        }
    }
}
