// The group under the pointer: a scanline fill over equal tiles or joined
// roads, and its highlight.
#include "game/groups.h"

#include <vector>

#include "game/animation.h"
#include "game/board.h"
#include "game/front_end.h"

namespace {

struct GrowEntry {
    short column;
    short row;
};

}  // namespace

// Kept between calls so that the large boards do not allocate on every move.
static std::vector<GrowEntry> growStack;

static void DrawMarkedCells()
{
    const Selection s = ui.selection;
    const int columns = board.columns;
    const unsigned char* cells = board.cells.data();
    for (int row = s.minRow; row <= s.maxRow; ++row) {
        const unsigned char* line = cells + static_cast<std::size_t>(row) * columns;
        for (int column = s.minColumn; column <= s.maxColumn; ++column)
            if (line[column] >= CellMarkBit)
                DrawCell(column, row);
    }
}

// Keeps the Selection's box inside the Board, which may have changed size
// since the box was set.
void ClampSelectionBox()
{
    Selection& s = ui.selection;
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
    const Selection s = ui.selection;
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
    Selection& s = ui.selection;
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

void GrowGroup(int column, int row)
{
    if (CurrentMode() == GameMode::ZededUdoz)
        Fill<true>(column, row);
    else
        Fill<false>(column, row);
}

void HighlightGroupAt(int column, int row)
{
    StopTimer();
    Unhighlight();
    Selection& s = ui.selection;
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
    GrowGroup(column, row);
    if (s.size < 2) {
        SetCell(column, row, tile);
        return;
    }
    if (TileSetAnimates())
        BeginSelectionAnimation();
    else
        DrawMarkedCells();
}
