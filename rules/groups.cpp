// Groups: a scanline fill over equal tiles or joined roads.
#include "rules/groups.h"

#include <memory>

namespace {

struct GrowEntry {
    short column;
    short row;
};

// Whether the tile `from` (its value, without the mark) reaches the Cell
// `to` in the direction of the connector `toward`: IroGame an unmarked equal
// tile, ZededUdoz an unmarked tile with the facing connector.
template <bool Road>
inline bool Joins(unsigned char from, unsigned char to, unsigned char toward, unsigned char facing)
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
void Fill(Board& b, int column, int row, Selection& s)
{
    const int columns = b.columns;
    const int rows = b.rows;
    unsigned char* cells = b.cells.data();
    // Every entry marks a Cell first, so the stack never holds more than the Board.
    std::unique_ptr<GrowEntry[]> entries(new GrowEntry[b.cells.size() + 1]);
    GrowEntry* stack = entries.get();
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

}  // namespace

void GrowGroup(Board& b, GameMode mode, int column, int row, Selection* s)
{
    if (mode == GameMode::ZededUdoz)
        Fill<true>(b, column, row, *s);
    else
        Fill<false>(b, column, row, *s);
}

void MarkGroupAt(Board& b, GameMode mode, int column, int row, Selection* s)
{
    s->minColumn = s->maxColumn = column;
    s->minRow = s->maxRow = row;
    unsigned char cell = CellAt(b, column, row);
    if (cell == 0) {
        s->size = 0;
        return;
    }
    unsigned char tile = cell & CellTileMask;
    SetCell(b, column, row, tile | CellMarkBit);
    s->size = 1;
    s->tile = tile;
    GrowGroup(b, mode, column, row, s);
    if (s->size < 2)
        SetCell(b, column, row, tile);
}

void ClampBox(const Board& b, Selection* s)
{
    if (s->minColumn < 0)
        s->minColumn = 0;
    if (s->minRow < 0)
        s->minRow = 0;
    if (s->maxColumn > b.columns - 1)
        s->maxColumn = b.columns - 1;
    if (s->maxRow > b.rows - 1)
        s->maxRow = b.rows - 1;
}

std::vector<BoardGroup> GroupsOf(const Board& b, GameMode mode)
{
    std::vector<BoardGroup> groups;
    Board seen = b;
    for (int row = 0; row < seen.rows; ++row)
        for (int column = 0; column < seen.columns; ++column) {
            unsigned char cell = CellAt(seen, column, row);
            if (cell == 0 || cell >= CellMarkBit)
                continue;
            // Each group's Cells stay marked here, lone tiles too, so that
            // each group is found once, from its first Cell.
            Selection s;
            s.minColumn = s.maxColumn = column;
            s.minRow = s.maxRow = row;
            s.size = 1;
            SetCell(seen, column, row, cell | CellMarkBit);
            GrowGroup(seen, mode, column, row, &s);
            groups.push_back(BoardGroup{column, row, s.size});
        }
    return groups;
}
