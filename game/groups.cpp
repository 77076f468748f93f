// Play: the group under the pointer, its highlight, and its removal with
// falling tiles and closing columns.
#include "game/groups.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "display/animation.h"
#include "game/board.h"
#include "game/campaign.h"
#include "game/front_end.h"
#include "game/history.h"
#include "game/scoring.h"

namespace {

struct GrowEntry {
    short column;
    short row;
};

}  // namespace

// Kept between calls so that the large boards do not allocate on every move.
static std::vector<GrowEntry> growStack;
static std::vector<unsigned char> cellsBefore;

static bool Animates()
{
    return game.tileSetKind == TileSetAnimated24 || game.tileSetKind == TileSetAnimated32;
}

static void DrawMarkedCells()
{
    const Selection s = game.selection;
    const int columns = board.columns;
    const unsigned char* cells = board.cells.data();
    for (int row = s.minRow; row <= s.maxRow; ++row) {
        const unsigned char* line = cells + static_cast<std::size_t>(row) * columns;
        for (int column = s.minColumn; column <= s.maxColumn; ++column)
            if (line[column] >= CellMarkBit)
                DrawCell(column, row);
    }
}

// The animated sets' selection animation starts from its first frame at
// once; the timer plays the rest.
static void BeginSelectionAnimation()
{
    game.animFrame = 0;
    SelectionTick();
    if (!game.timerRunning)
        StartTimer();
}

// The vanishing animation of the group anchored at (column, row): its first
// frame at once, then the timer ticks play it and click the anchor again,
// which removes the group.
static void BeginVanishingAnimation(int column, int row)
{
    game.anchorColumn = column;
    game.anchorRow = row;
    game.animState = AnimState::Vanishing;
    game.animFrame = 0;
    VanishingTick();
    StartTimer();
}

// Keeps the Selection's box inside the Board, which may have changed size
// since the box was set.
static void ClampSelectionBox()
{
    Selection& s = game.selection;
    if (s.minColumn < 0)
        s.minColumn = 0;
    if (s.minRow < 0)
        s.minRow = 0;
    if (s.maxColumn > board.columns - 1)
        s.maxColumn = board.columns - 1;
    if (s.maxRow > board.rows - 1)
        s.maxRow = board.rows - 1;
}

static void Unhighlight()
{
    ClampSelectionBox();
    const Selection s = game.selection;
    const int columns = board.columns;
    unsigned char* cells = board.cells.data();
    for (int row = s.minRow; row <= s.maxRow; ++row) {
        unsigned char* line = cells + static_cast<std::size_t>(row) * columns;
        for (int column = s.minColumn; column <= s.maxColumn; ++column) {
            if (line[column] >= CellMarkBit) {
                line[column] &= CellTileMask;
                DrawCell(column, row);
            }
        }
    }
}

// Whether the tile `from` (its value, without the mark) reaches the Cell
// `to` in the direction of the connector `toward`: IroGame an unmarked equal
// tile, ZededUdoz an unmarked tile with the facing connector.
template <bool Road>
static inline bool Joins(unsigned char from, unsigned char to, unsigned char toward, unsigned char facing)
{
    if (Road)
        return to < CellMarkBit && (from & toward) != 0 && (to & facing) != 0;
    return to == from;
}

// A scanline fill: each Cell taken from the stack first extends along its row
// as far as the row connects, then every Cell of that stretch looks at the
// rows above and below. Of a run of Cells there that would join and that
// also join one another along their row, only the first is taken: the rest
// join when it extends. The group is the same as a fill Cell by Cell.
template <bool Road>
static void Fill(int column, int row)
{
    const int columns = board.columns;
    const int rows = board.rows;
    unsigned char* cells = board.cells.data();
    Selection& s = game.selection;
    if (growStack.size() < board.cells.size() + 1)
        growStack.resize(board.cells.size() + 1);
    GrowEntry* stack = growStack.data();
    std::size_t depth = 0;
    int joined = 0;
    stack[depth++] = GrowEntry{static_cast<short>(column), static_cast<short>(row)};

    while (depth > 0) {
        GrowEntry e = stack[--depth];
        const int r = e.row;
        unsigned char* line = cells + static_cast<std::size_t>(r) * columns;
        int left = e.column;
        while (left > 0 && Joins<Road>(line[left] & CellTileMask, line[left - 1], RoadLeft, RoadRight)) {
            --left;
            line[left] |= CellMarkBit;
            ++joined;
        }
        int right = e.column;
        while (right < columns - 1 && Joins<Road>(line[right] & CellTileMask, line[right + 1], RoadRight, RoadLeft)) {
            ++right;
            line[right] |= CellMarkBit;
            ++joined;
        }
        if (left < s.minColumn)
            s.minColumn = left;
        if (right > s.maxColumn)
            s.maxColumn = right;

        for (int side = 0; side < 2; ++side) {
            const int next = side == 0 ? r - 1 : r + 1;
            if (next < 0 || next >= rows)
                continue;
            const unsigned char toward = side == 0 ? RoadUp : RoadDown;
            const unsigned char facing = side == 0 ? RoadDown : RoadUp;
            unsigned char* other = cells + static_cast<std::size_t>(next) * columns;
            bool previousJoined = false;
            for (int c = left; c <= right; ++c) {
                if (!Joins<Road>(line[c] & CellTileMask, other[c], toward, facing)) {
                    previousJoined = false;
                    continue;
                }
                bool reachedAlongRow =
                    previousJoined && Joins<Road>(other[c - 1] & CellTileMask, other[c], RoadRight, RoadLeft);
                previousJoined = true;
                if (reachedAlongRow)
                    continue;
                other[c] |= CellMarkBit;
                ++joined;
                stack[depth++] = GrowEntry{static_cast<short>(c), static_cast<short>(next)};
                if (next < s.minRow)
                    s.minRow = next;
                if (next > s.maxRow)
                    s.maxRow = next;
            }
        }
    }
    s.size += joined;
}

void GrowGroup(int column, int row, int value)
{
    // The fill reads each Cell's own value; value names the anchor's, which
    // is the Cell's tile value in both modes.
    (void)value;
    if (CurrentMode() == GameMode::ZededUdoz)
        Fill<true>(column, row);
    else
        Fill<false>(column, row);
}

void HighlightGroupAt(int column, int row)
{
    StopTimer();
    Unhighlight();
    Selection& s = game.selection;
    s.minColumn = s.maxColumn = column;
    s.minRow = s.maxRow = row;
    unsigned char cell = CellAt(column, row);
    if (cell == 0) {
        s.size = 0;
        return;
    }
    unsigned char tile = cell & CellTileMask;
    SetCell(column, row, tile | CellMarkBit);
    s.size = 1;
    s.tile = tile;
    GrowGroup(column, row, tile);
    if (s.size < 2) {
        SetCell(column, row, tile);
        return;
    }
    if (Animates())
        BeginSelectionAnimation();
    else
        DrawMarkedCells();
}

// Whether the Board has its cell storage (it has from the first SetBoardSize on).
static bool BoardReady()
{
    return !board.cells.empty() && board.cells.size() == static_cast<std::size_t>(board.columns) * board.rows;
}

void HoverAt(int x, int y, int keys)
{
    if (game.animState != AnimState::Idle || !BoardReady())
        return;
    HideRecordDialogs();
    CloseMoveSlider();
    if (RevealBars(x, y, keys))
        return;
    if (game.gameOver)
        AskRetry();
    int column = x / board.ts;
    int row = y / board.ts;
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
    if (game.selection.size > 0)
        std::snprintf(text, sizeof text, "%d", game.selection.size);
    else
        std::snprintf(text, sizeof text, " ");
    SetScoreBarField(ScoreBarSizeField, text);
}

void ClickAt(int x, int y)
{
    int column = x / board.ts;
    int row = y / board.ts;
    if (!BoardReady() || !IsOnBoard(column, row) || game.selection.size < 2)
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

    // Work out on the bottom row where each column's content comes from, as
    // moving the columns one after the other would, then apply that to every
    // row in runs of neighbouring columns.
    const int Cleared = -1;
    int source[MaxColumns];
    bool holds[MaxColumns];
    for (int k = minColumn; k <= last; ++k) {
        source[k] = k;
        holds[k] = bottomRow[k] != 0;
    }
    int d = minColumn + 1;
    for (int k = minColumn; k <= last; ++k) {
        if (holds[k])
            continue;
        if (d < k + 1)
            d = k + 1;
        while (d <= last && !holds[d])
            ++d;
        if (d > last)
            break;
        source[k] = d;
        holds[k] = true;
        source[d] = Cleared;
        holds[d] = false;
        ++d;
    }

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
    if (Animates() && game.animState == AnimState::Idle && !game.replaying && !game.redoing) {
        BeginVanishingAnimation(column, row);
        return;
    }
    game.animState = AnimState::Idle;

    Selection& s = game.selection;
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
