// Removing a group: falling tiles, closing columns, and the end test.
#include "rules/removal.h"

#include <cstring>
#include <memory>

namespace {

// A column left empty by the closing.
const int ClosedColumn = -1;

// Clears the marked Cells of the box and lets the tiles fall into the gaps:
// each column of the box is packed, in order, against the lowest row of the
// box. On a packed Board (every column one unbroken run down to the bottom
// row) the first empty Cell above the box ends a column's work, since
// nothing lies above it.
void ClearAndLetTilesFall(Board& b, const Selection& s, bool packed)
{
    const std::size_t stride = static_cast<std::size_t>(b.columns);
    unsigned char* cells = b.cells.data();
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

// Works out on the bottom row, as moving the columns one after the other
// would, where each column from `first` to `last` takes its tiles from: each
// column whose bottom cell is empty takes the whole of the next column to
// its right whose bottom cell holds a tile. source[k] is that column, k
// itself for a column that keeps its tiles, or ClosedColumn. Every source
// lies right of its column, so a row may be rewritten from the left in place.
void PlanColumnClosing(const unsigned char* bottomRow, int first, int last, int* source, bool* holds)
{
    for (int k = first; k <= last; ++k) {
        source[k] = k;
        holds[k] = bottomRow[k] != 0;
    }
    int d = first + 1;
    for (int k = first; k <= last; ++k) {
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
        source[d] = ClosedColumn;
        holds[d] = false;
        ++d;
    }
}

// Empty columns close towards column 0: each column from minColumn on whose
// bottom Cell is empty takes the whole of the next column to its right whose
// bottom Cell holds a tile, up to the last such column. Returns that last
// column, or -1 when no column from minColumn on was empty.
int CloseEmptyColumns(Board& b, int minColumn)
{
    const int columns = b.columns;
    const int rows = b.rows;
    unsigned char* cells = b.cells.data();
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
    // then apply that to every row in runs of neighbouring columns. The
    // game's sheets fit the buffers on the stack; a wider board (the search
    // and the tools take any) gets them from the heap.
    struct Run {
        int to;
        int from;   // ClosedColumn: the run is emptied
        int length;
    };
    int sourceBuffer[MaxColumns];
    bool holdsBuffer[MaxColumns];
    Run runBuffer[MaxColumns];
    std::unique_ptr<int[]> sourceHeap;
    std::unique_ptr<bool[]> holdsHeap;
    std::unique_ptr<Run[]> runHeap;
    int* source = sourceBuffer;
    bool* holds = holdsBuffer;
    Run* runs = runBuffer;
    if (columns > MaxColumns) {
        sourceHeap.reset(new int[static_cast<std::size_t>(columns)]);
        holdsHeap.reset(new bool[static_cast<std::size_t>(columns)]);
        runHeap.reset(new Run[static_cast<std::size_t>(columns)]);
        source = sourceHeap.get();
        holds = holdsHeap.get();
        runs = runHeap.get();
    }
    PlanColumnClosing(bottomRow, minColumn, last, source, holds);

    int runCount = 0;
    for (int k = minColumn; k <= last; ++k) {
        if (source[k] == k)
            continue;
        Run* previous = runCount > 0 ? &runs[runCount - 1] : nullptr;
        bool extends = previous != nullptr && previous->to + previous->length == k &&
                       (source[k] == ClosedColumn
                            ? previous->from == ClosedColumn
                            : previous->from != ClosedColumn && previous->from + previous->length == source[k]);
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
            if (run.from == ClosedColumn)
                std::memset(line + run.to, 0, static_cast<std::size_t>(run.length));
            else
                std::memmove(line + run.to, line + run.from, static_cast<std::size_t>(run.length));
        }
    }
    return last;
}

}  // namespace

RemovalChange RemoveMarkedGroup(Board& b, Selection* s, bool packed)
{
    ClampBox(b, s);
    ClearAndLetTilesFall(b, *s, packed);
    int last = CloseEmptyColumns(b, s->minColumn);
    return RemovalChange{s->minColumn, last > s->maxColumn ? last : s->maxColumn};
}

int RemoveGroupAt(Board& b, GameMode mode, int column, int row)
{
    if (!IsOnBoard(b, column, row) || CellAt(b, column, row) == 0 || CellAt(b, column, row) >= CellMarkBit)
        return 0;
    Selection s;
    MarkGroupAt(b, mode, column, row, &s);
    if (s.size < 2)
        return 0;
    RemoveMarkedGroup(b, &s, false);
    return s.size;
}

bool BoardIsPacked(const Board& b)
{
    const int columns = b.columns;
    const unsigned char* cells = b.cells.data();
    for (int row = 0; row + 1 < b.rows; ++row) {
        const unsigned char* line = cells + static_cast<std::size_t>(row) * columns;
        for (int c = 0; c < columns; ++c)
            if (line[c] != 0 && line[c + columns] == 0)
                return false;
    }
    return true;
}

bool IsGameOver(const Board& b, GameMode mode)
{
    const int columns = b.columns;
    const int bottom = b.rows - 1;
    const bool road = mode == GameMode::ZededUdoz;
    int column = 0;
    int row = bottom;
    if (!HoldsItsCells(b) || CellAt(b, column, row) == 0)
        return true;
    for (;;) {
        unsigned char v = CellAt(b, column, row);
        unsigned char up = row > 0 ? CellAt(b, column, row - 1) : 0;
        unsigned char right = column < columns - 1 ? CellAt(b, column + 1, row) : 0;
        if (road) {
            if (((v & RoadUp) && (up & RoadDown)) || ((v & RoadRight) && (right & RoadLeft)))
                return false;
        } else if (up == v || right == v) {
            return false;
        }
        if (row > 0 && up != 0) {
            --row;
            continue;
        }
        ++column;
        row = bottom;
        if (column >= columns || CellAt(b, column, row) == 0)
            return true;
    }
}
