// Removing a group: the tiles above fall into the gaps, empty columns close
// towards the left, and only the Cells that changed are drawn again.
#include "game/removal.h"

#include <cstring>
#include <vector>

#include "game/animation.h"
#include "game/board.h"
#include "game/column_closing.h"
#include "game/front_end.h"
#include "game/groups.h"
#include "game/scoring.h"

// The Board before a removal, to redraw only what it changed.
static std::vector<unsigned char> cellsBefore;

void RecordMove(int column, int row)
{
    if (game.moveIndex <= 0 || game.moveIndex >= MoveHistorySize)
        return;
    game.moves[game.moveIndex].column = static_cast<unsigned char>(column);
    game.moves[game.moveIndex].row = static_cast<unsigned char>(row);
}

// Clears the marked Cells of the box and lets the tiles fall into the gaps:
// each column of the box is packed, in order, against the lowest row of the
// box. On a packed Board (every column one unbroken run down to the bottom
// row) the first empty Cell above the box ends a column's work, since
// nothing lies above it.
static void ClearAndLetTilesFall(const Selection& s, bool packed)
{
    const std::size_t stride = static_cast<std::size_t>(board.columns);
    unsigned char* cells = board.cells.data();
    if (!packed) {
        for (int r = s.minRow; r <= s.maxRow; ++r) {
            unsigned char* line = cells + r * stride;
            for (int c = s.minColumn; c <= s.maxColumn; ++c)
                if (line[c] >= CellMarkBit)
                    line[c] = 0;
        }
    }
    for (int column = s.minColumn; column <= s.maxColumn; ++column) {
        unsigned char* top = cells + column;
        int to = s.maxRow;
        int from = s.maxRow;
        for (; from >= 0; --from) {
            unsigned char cell = top[from * stride];
            if (cell == 0) {
                if (packed)
                    break;
                continue;
            }
            if (cell >= CellMarkBit)
                continue;
            if (from != to)
                top[to * stride] = cell;
            --to;
        }
        // What lay between the last tile placed and where the scan ended is empty now.
        for (int r = to; r > from; --r)
            top[r * stride] = 0;
    }
}

// Empty columns close towards column 0: each column from minColumn on whose
// bottom Cell is empty takes the whole of the next column to its right whose
// bottom Cell holds a tile, up to the last such column. Returns that last
// column, or -1 when no column from minColumn on was empty.
static int CloseEmptyColumns(int minColumn)
{
    const int columns = board.columns;
    const int rows = board.rows;
    unsigned char* cells = board.cells.data();
    const unsigned char* bottomRow = cells + static_cast<std::size_t>(rows - 1) * columns;

    int found = -1;
    for (int k = columns - 1; k >= minColumn; --k)
        if (bottomRow[k] != 0) {
            found = k;
            break;
        }
    int last = found >= 0 ? found : (minColumn + 1 < columns - 1 ? minColumn + 1 : columns - 1);
    bool gap = found < columns - 1 ||
               std::memchr(bottomRow + minColumn, 0, static_cast<std::size_t>(columns - 1 - minColumn)) != nullptr;
    if (!gap)
        return -1;
    if (found < 0 || std::memchr(bottomRow + minColumn, 0, static_cast<std::size_t>(last - minColumn)) == nullptr)
        return last;

    // Work out on the bottom row where each column's content comes from,
    // then apply that to every row in runs of neighbouring columns.
    const int Cleared = ClosedColumn;
    int source[MaxColumns];
    PlanColumnClosing(bottomRow, minColumn, last, source);

    struct Run {
        int to;
        int from;   // Cleared: the run is emptied
        int length;
    };
    Run runs[MaxColumns];
    int runCount = 0;
    for (int k = minColumn; k <= last; ++k) {
        if (source[k] == k)
            continue;
        Run* previous = runCount > 0 ? &runs[runCount - 1] : nullptr;
        bool extends = previous != nullptr && previous->to + previous->length == k &&
                       (source[k] == Cleared ? previous->from == Cleared
                                             : previous->from != Cleared && previous->from + previous->length == source[k]);
        if (extends)
            ++previous->length;
        else
            runs[runCount++] = {k, source[k], 1};
    }
    // Every source lies to the right of its destination, so applying the runs
    // from the left never reads a Cell that this row has already rewritten.
    for (int row = 0; row < rows; ++row) {
        unsigned char* line = cells + static_cast<std::size_t>(row) * columns;
        for (int i = 0; i < runCount; ++i) {
            const Run& run = runs[i];
            if (run.from == Cleared)
                std::memset(line + run.to, 0, static_cast<std::size_t>(run.length));
            else
                std::memmove(line + run.to, line + run.from, static_cast<std::size_t>(run.length));
        }
    }
    return last;
}

// Whether every column is one unbroken run of tiles down to the bottom row.
static bool BoardIsPacked()
{
    const int columns = board.columns;
    const unsigned char* cells = board.cells.data();
    for (int row = 0; row + 1 < board.rows; ++row) {
        const unsigned char* line = cells + static_cast<std::size_t>(row) * columns;
        for (int c = 0; c < columns; ++c)
            if (line[c] != 0 && line[c + columns] == 0)
                return false;
    }
    return true;
}

// Replays may take the shortcut of a packed Board once it is known to be
// one; nothing but the replay changes the Board while it runs.
static bool replayPacked = false;

void BeginReplay()
{
    replayPacked = BoardIsPacked();
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
        ShowScoreBar();
        ShowClickCounter();
        cellsBefore.assign(board.cells.begin(), board.cells.end());
    }

    ClampSelectionBox();
    const int columns = board.columns;
    unsigned char* cells = board.cells.data();
    ClearAndLetTilesFall(s, game.replaying && replayPacked);
    int last = CloseEmptyColumns(s.minColumn);
    int redrawTo = last > s.maxColumn ? last : s.maxColumn;

    if (!game.replaying) {
        for (int r = 0; r < board.rows; ++r) {
            const unsigned char* now = cells + static_cast<std::size_t>(r) * columns;
            const unsigned char* before = cellsBefore.data() + static_cast<std::size_t>(r) * columns;
            for (int c = s.minColumn; c <= redrawTo; ++c)
                if (now[c] != before[c])
                    DrawCell(c, r);
        }
    }
}
