// The search for the best line of play.
//
// The search works on its own board kept by columns, and adapts a playout
// policy (nested rollout policy adaptation). A playout removes groups one
// after another at random, never the kind with the most tiles while another
// kind can go (so that kind gathers into one large group for the end), each
// with a chance that grows with its group's size and with a learnt weight of
// its code, the kind and the cell it starts from. A search of level 1 runs
// playouts and after each shifts the weights towards the best line it has
// seen; a search of level L runs searches of level L - 1 the same way. The
// top level is 4: a minute gives a few searches of level 3 (a million
// playouts each), and each one after the first starts from weights already
// drawn towards the best line so far, which does better than starting each
// afresh. Every playout is a whole line from the start, so the best line
// seen is always at hand.
//
// Boards of more than 64 x 64 cells get a nested Monte-Carlo search instead,
// whose playouts can stop midway when time is up. Boards of up to 16 columns
// of up to 15 tiles (no roads) find their groups on bit boards, a word per
// four columns and kind. Every line is replayed by the game's rules, on a
// board kept row by row, before it is given out; a board with a hole under a
// tile (which play never leaves) gets only a greedy line by those rules.
#include "game/solver.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "game/column_closing.h"

namespace {

using Clock = std::chrono::steady_clock;

const int Kinds = 16;
const unsigned char Up = 1;
const unsigned char Down = 2;
const unsigned char Right = 4;
const unsigned char Left = 8;

struct Group {
    int anchor;
    int size;
    int value;
    int first = 0;   // on the bit board: the group's leftmost column
    int last = 0;    // and its rightmost
};

// What a flood fill needs: the cells it has seen (marked with this fill's
// stamp, so that nothing is cleared between fills), its stack, and the
// members it found.
class FloodMarks {
protected:
    FloodMarks(int cells, int tiles)
        : seen_(static_cast<std::size_t>(cells), 0), stack_(static_cast<std::size_t>(tiles) + 1),
          members_(static_cast<std::size_t>(tiles) + 1)
    {
    }

    std::vector<int> seen_;
    int stamp_ = 0;
    std::vector<int> stack_;
    std::vector<int> members_;

    void NextStamp()
    {
        if (++stamp_ == 0) {
            std::fill(seen_.begin(), seen_.end(), 0);
            stamp_ = 1;
        }
    }
};

// The game's rules on a board kept row by row, holes and all: the referee
// of every line.
class Engine : private FloodMarks {
public:
    Engine(int columns, int rows, bool road)
        : FloodMarks(columns * rows, columns * rows), C(columns), R(rows), N(columns * rows), road_(road)
    {
    }

    const int C;
    const int R;
    const int N;

    // Every group of two or more tiles, by its first cell from the top left.
    int FindGroups(const unsigned char* cells, Group* out)
    {
        NextStamp();
        int count = 0;
        for (int i = 0; i < N; ++i) {
            if (cells[i] == 0 || seen_[i] == stamp_)
                continue;
            int size = Flood(cells, i, false);
            if (size >= 2)
                out[count++] = Group{i, size, cells[i]};
        }
        return count;
    }

    // Removes the group at anchor as the game does; returns its size, or 0
    // (and leaves the cells alone) when it holds fewer than two tiles.
    int Remove(unsigned char* cells, int anchor)
    {
        if (anchor < 0 || anchor >= N || cells[anchor] == 0)
            return 0;
        NextStamp();
        int n = Flood(cells, anchor, true);
        if (n < 2)
            return 0;
        int minColumn = C;
        int maxColumn = -1;
        int maxRow = -1;
        for (int k = 0; k < n; ++k) {
            int i = members_[k];
            cells[i] = 0;
            int column = i % C;
            int row = i / C;
            minColumn = std::min(minColumn, column);
            maxColumn = std::max(maxColumn, column);
            maxRow = std::max(maxRow, row);
        }
        // Each column of the group's box packs down against the box's lowest row.
        for (int column = minColumn; column <= maxColumn; ++column) {
            int to = maxRow;
            for (int from = maxRow; from >= 0; --from) {
                unsigned char cell = cells[from * C + column];
                if (cell == 0)
                    continue;
                if (from != to)
                    cells[to * C + column] = cell;
                --to;
            }
            for (int r = to; r >= 0; --r)
                cells[r * C + column] = 0;
        }
        CloseColumns(cells, minColumn);
        return n;
    }

private:
    bool road_;

    // Whether tile a reaches its neighbour b in the direction `toward`.
    bool Joins(unsigned char a, unsigned char b, unsigned char toward, unsigned char facing) const
    {
        if (b == 0)
            return false;
        if (road_)
            return (a & toward) != 0 && (b & facing) != 0;
        return a == b;
    }

    int Flood(const unsigned char* cells, int start, bool collect)
    {
        int depth = 0;
        int size = 0;
        stack_[depth++] = start;
        seen_[start] = stamp_;
        while (depth > 0) {
            int i = stack_[--depth];
            if (collect)
                members_[size] = i;
            ++size;
            unsigned char a = cells[i];
            int column = i % C;
            if (i >= C && seen_[i - C] != stamp_ && Joins(a, cells[i - C], Up, Down)) {
                seen_[i - C] = stamp_;
                stack_[depth++] = i - C;
            }
            if (i + C < N && seen_[i + C] != stamp_ && Joins(a, cells[i + C], Down, Up)) {
                seen_[i + C] = stamp_;
                stack_[depth++] = i + C;
            }
            if (column > 0 && seen_[i - 1] != stamp_ && Joins(a, cells[i - 1], Left, Right)) {
                seen_[i - 1] = stamp_;
                stack_[depth++] = i - 1;
            }
            if (column + 1 < C && seen_[i + 1] != stamp_ && Joins(a, cells[i + 1], Right, Left)) {
                seen_[i + 1] = stamp_;
                stack_[depth++] = i + 1;
            }
        }
        return size;
    }

    // Empty columns close towards the left exactly as the game closes them:
    // by the bottom row, from the group's first column on.
    void CloseColumns(unsigned char* cells, int minColumn)
    {
        const unsigned char* bottom = cells + (R - 1) * C;
        int found = -1;
        for (int k = C - 1; k >= minColumn; --k)
            if (bottom[k] != 0) {
                found = k;
                break;
            }
        if (found < 0)
            return;
        int last = found;
        bool gap = false;
        for (int k = minColumn; k < last; ++k)
            if (bottom[k] == 0)
                gap = true;
        if (!gap)
            return;
        std::vector<int> source(static_cast<std::size_t>(last) + 1);
        PlanColumnClosing(bottom, minColumn, last, source.data());
        for (int row = 0; row < R; ++row) {
            unsigned char* line = cells + row * C;
            for (int k = minColumn; k <= last; ++k) {
                if (source[static_cast<std::size_t>(k)] == k)
                    continue;
                int from = source[static_cast<std::size_t>(k)];
                line[k] = from == ClosedColumn ? 0 : line[from];
            }
        }
    }
};

// The tiles left by kind: by value, or all of them on the road set.
struct Counts {
    int count[Kinds] = {};
    int rest = 0;
};

Counts CountCells(const unsigned char* cells, int n, bool road)
{
    Counts c;
    for (int i = 0; i < n; ++i)
        if (cells[i] != 0) {
            ++c.count[road ? 1 : (cells[i] & 15)];
            ++c.rest;
        }
    return c;
}

long long Square(long long x)
{
    return x * x;
}

long long Value(SolveObjective objective, long long score, const Counts& counts)
{
    switch (objective) {
    case SolveObjective::Score:
        return score;
    case SolveObjective::ScoreLessRest:
        return score - counts.rest;
    case SolveObjective::FewestLeft:
        return -static_cast<long long>(counts.rest) * (1LL << 40) + score;
    case SolveObjective::Standard:
        break;
    }
    if (counts.rest == 0)
        return score + 1000;
    long long value = score;
    for (int k = 1; k < Kinds; ++k)
        if (counts.count[k] > 0)
            value -= Square(counts.count[k] - 2);
    return value;
}

// A position whose cells fill its columns and rows exactly.
bool HoldsItsCells(const SolvePosition& position)
{
    return position.columns > 0 && position.rows > 0 &&
           position.cells.size() == static_cast<std::size_t>(position.columns) * position.rows;
}

Clock::time_point DeadlineAfter(Clock::time_point start, double seconds)
{
    return start + std::chrono::microseconds(static_cast<long long>(seconds * 1e6));
}

// A line by the game's own rules, which a board with a hole under a tile
// needs (play never leaves one, and the search's board cannot hold one):
// the largest group each time.
SolveResult GreedyLine(const SolvePosition& position, SolveObjective objective)
{
    SolveResult best;
    Engine engine(position.columns, position.rows, position.road);
    std::vector<unsigned char> cells(position.cells);
    std::vector<Group> groups(cells.size() / 2 + 2);
    while (true) {
        int n = engine.FindGroups(cells.data(), groups.data());
        if (n == 0)
            break;
        const Group* pick = &groups[0];
        for (int g = 1; g < n; ++g)
            if (groups[static_cast<std::size_t>(g)].size > pick->size)
                pick = &groups[static_cast<std::size_t>(g)];
        best.line.push_back(SolveMove{pick->anchor % position.columns, pick->anchor / position.columns});
        best.score += Square(engine.Remove(cells.data(), pick->anchor) - 2);
    }
    Counts counts = CountCells(cells.data(), static_cast<int>(cells.size()), position.road);
    best.rest = counts.rest;
    best.cleared = counts.rest == 0;
    best.value = Value(objective, best.score, counts);
    return best;
}

}  // namespace

namespace {

// The search proper runs on a board kept by columns, bottom up, with a
// border of empty cells all round, so that a flood needs no bounds checks and
// a removal only packs the columns it touched.
struct Board {
    std::vector<unsigned char> cells;   // (columns + 2) x (rows + 2)
    std::vector<short> height;          // the tiles in each column
    int columns = 0;                    // the columns that hold tiles
    long long score = 0;
    Counts counts;
    // On boards of up to 16 columns of up to 15 tiles (no roads): for each
    // kind, a bit per cell, 16 bits a column from the bottom up, four
    // columns a word. There removals keep only the bits and the heights up
    // to date; the cells stay as loaded.
    std::vector<std::uint64_t> bits;
};

const int Words = 4;

// A set of cells on the bit board: four words, sixteen columns.
struct Cells {
    std::uint64_t w0, w1, w2, w3;
};

const std::uint64_t NotTop = 0x7FFF7FFF7FFF7FFFull;   // each column's top bit cleared
const std::uint64_t NotBottom = 0xFFFEFFFEFFFEFFFEull;

inline Cells Load4(const std::uint64_t* words)
{
    return Cells{words[0], words[1], words[2], words[3]};
}

// The cells of `m` that have a neighbour in it.
inline Cells Paired(Cells m)
{
    auto near = [](std::uint64_t x, std::uint64_t before, std::uint64_t after) {
        return ((x << 1) & NotBottom) | ((x >> 1) & NotTop) | (x << 16) | (x >> 16) | (before >> 48) | (after << 48);
    };
    return Cells{near(m.w0, 0, m.w1) & m.w0, near(m.w1, m.w0, m.w2) & m.w1, near(m.w2, m.w1, m.w3) & m.w2,
                 near(m.w3, m.w2, 0) & m.w3};
}

// Grows `g` to every cell of `m` joined to it: each round adds the
// neighbours, and the rest of every column run above a cell at once (the
// carry of an addition runs up a run and stops at the cell above it, which
// is empty: no column holds 16 tiles, so no carry leaves its column).
inline Cells FloodBits(Cells g, Cells m)
{
    while (true) {
        g.w0 |= ((m.w0 + g.w0) ^ m.w0) & m.w0;
        g.w1 |= ((m.w1 + g.w1) ^ m.w1) & m.w1;
        g.w2 |= ((m.w2 + g.w2) ^ m.w2) & m.w2;
        g.w3 |= ((m.w3 + g.w3) ^ m.w3) & m.w3;
        Cells n{(g.w0 | ((g.w0 >> 1) & NotTop) | (g.w0 << 16) | (g.w0 >> 16) | (g.w1 << 48)) & m.w0,
                (g.w1 | ((g.w1 >> 1) & NotTop) | (g.w1 << 16) | (g.w1 >> 16) | (g.w0 >> 48) | (g.w2 << 48)) & m.w1,
                (g.w2 | ((g.w2 >> 1) & NotTop) | (g.w2 << 16) | (g.w2 >> 16) | (g.w1 >> 48) | (g.w3 << 48)) & m.w2,
                (g.w3 | ((g.w3 >> 1) & NotTop) | (g.w3 << 16) | (g.w3 >> 16) | (g.w2 >> 48)) & m.w3};
        if (n.w0 == g.w0 && n.w1 == g.w1 && n.w2 == g.w2 && n.w3 == g.w3)
            return g;
        g = n;
    }
}

inline int Count(std::uint64_t x)
{
    x -= (x >> 1) & 0x5555555555555555ull;
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((x * 0x0101010101010101ull) >> 56);
}

inline int Count(Cells x)
{
    return Count(x.w0) + Count(x.w1) + Count(x.w2) + Count(x.w3);
}

class Fast : private FloodMarks {
public:
    Fast(int columns, int rows, bool road)
        : FloodMarks((columns + 2) * (rows + 2), columns * rows), C(columns), R(rows), S(rows + 2), road_(road),
          bits_(!road && columns <= 16 && rows <= 15)
    {
        // A division costs more than a lookup in the inner loops.
        columnOf_.resize(static_cast<std::size_t>((columns + 2) * S));
        for (std::size_t i = 0; i < columnOf_.size(); ++i)
            columnOf_[i] = static_cast<short>(static_cast<int>(i) / S - 1);
    }

    const int C;
    const int R;
    const int S;   // the stride of a column

    int Index(int column, int up) const { return (column + 1) * S + up + 1; }
    int ColumnOf(int i) const { return columnOf_[static_cast<std::size_t>(i)]; }
    SolveMove MoveOf(int i) const { return SolveMove{i / S - 1, R - 1 - (i % S - 1)}; }

    // False when the board has a hole under a tile or an empty column left
    // of a full one: the game never leaves one, and this board cannot show it.
    bool Load(const SolvePosition& p, Board* b)
    {
        b->cells.assign(static_cast<std::size_t>((C + 2) * S), 0);
        b->height.assign(static_cast<std::size_t>(C), 0);
        b->columns = 0;
        b->score = 0;
        b->counts = CountCells(p.cells.data(), C * R, p.road);
        bool emptyColumn = false;
        for (int c = 0; c < C; ++c) {
            int h = 0;
            for (int row = R - 1; row >= 0; --row) {
                unsigned char v = p.cells[static_cast<std::size_t>(row * C + c)];
                if (v == 0)
                    break;
                b->cells[static_cast<std::size_t>(Index(c, h))] = v;
                ++h;
            }
            for (int row = R - 1 - h; row >= 0; --row)
                if (p.cells[static_cast<std::size_t>(row * C + c)] != 0)
                    return false;
            if (h == 0)
                emptyColumn = true;
            else if (emptyColumn)
                return false;
            else
                b->columns = c + 1;
            b->height[static_cast<std::size_t>(c)] = static_cast<short>(h);
        }
        for (unsigned char v : p.cells)
            if (v >= Kinds)
                bits_ = false;
        kinds_.clear();
        for (int k = 1; k < Kinds; ++k)
            if (b->counts.count[k] > 0)
                kinds_.push_back(k);
        if (bits_) {
            b->bits.assign(static_cast<std::size_t>(Kinds * Words), 0);
            SetBits(*b);
        }
        return true;
    }

    // Every group of two or more tiles; with `spare`, those of that kind
    // only when no other kind has one.
    int FindGroups(const Board& b, Group* out, int spare = -1)
    {
        if (bits_) {
            int count = 0;
            for (int k : kinds_)
                if (k != spare)
                    count += BitGroups(b, k, out + count);
            if (count == 0 && spare >= 0)
                count = BitGroups(b, spare, out);
            return count;
        }
        NextStamp();
        int count = 0;
        int spared = 0;
        const unsigned char* cells = b.cells.data();
        for (int c = 0; c < b.columns; ++c) {
            int base = Index(c, 0);
            int top = base + b.height[static_cast<std::size_t>(c)];
            for (int i = base; i < top; ++i) {
                if (seen_[static_cast<std::size_t>(i)] == stamp_)
                    continue;
                // A tile alone (no floods reach it) is passed over at once.
                unsigned char a = cells[i];
                if (!road_ && cells[i + 1] != a && cells[i - 1] != a && cells[i + S] != a && cells[i - S] != a)
                    continue;
                int size = Flood(cells, i, false);
                if (size < 2)
                    continue;
                if (!road_ && (a & 15) == spare)
                    ++spared;
                else
                    out[count++] = Group{i, size, a};
            }
        }
        if (count == 0 && spared > 0)
            return FindGroups(b, out);
        return count;
    }

    // The groups after a removal, from the groups before it (found with the
    // same `spare`): only the columns from the removal's first to its last
    // changed, so a group that keeps a column clear of them stays as it was
    // (moved left by the columns the removal emptied, when it lies right of
    // them), and only the groups with a cell next to or in them are found
    // again.
    int UpdateGroups(const Board& b, Group* groups, int n, int spare)
    {
        const int lo = changedFrom_ - 1;
        const int hi = changedTo_ + 1;   // before the emptied columns went
        const int shift = emptied_;
        if (!bits_ || lo <= 0)
            return FindGroups(b, groups, spare);
        int kept = 0;
        for (int g = 0; g < n; ++g) {
            Group& group = groups[g];
            if (group.value == spare)
                return FindGroups(b, groups, spare);
            if (group.last < lo) {
                groups[kept++] = group;
            } else if (group.first > hi) {
                group.anchor -= shift * S;
                group.first -= shift;
                group.last -= shift;
                groups[kept++] = group;
            }
        }
        Cells near{ColumnsBetween(lo, hi - shift, 0), ColumnsBetween(lo, hi - shift, 1),
                   ColumnsBetween(lo, hi - shift, 2), ColumnsBetween(lo, hi - shift, 3)};
        int count = kept;
        for (int k : kinds_)
            if (k != spare)
                count += BitGroups(b, k, groups + count, near);
        if (count == 0 && spare >= 0)
            count = BitGroups(b, spare, groups);
        return count;
    }

    // Removes the group at i as the game does and keeps the score and the
    // counts; returns its size, or 0 when it holds fewer than two tiles.
    int Remove(Board& b, int i)
    {
        if (bits_)
            return RemoveBits(b, i);
        unsigned char* cells = b.cells.data();
        unsigned char value = cells[i];
        if (value == 0)
            return 0;
        NextStamp();
        int n = Flood(cells, i, true);
        if (n < 2)
            return 0;
        int minColumn = C;
        int maxColumn = -1;
        for (int k = 0; k < n; ++k) {
            int m = members_[static_cast<std::size_t>(k)];
            cells[m] = 0;
            int column = ColumnOf(m);
            minColumn = std::min(minColumn, column);
            maxColumn = std::max(maxColumn, column);
        }
        bool emptied = false;
        for (int c = minColumn; c <= maxColumn; ++c) {
            unsigned char* column = cells + Index(c, 0);
            int h = b.height[static_cast<std::size_t>(c)];
            int to = 0;
            for (int k = 0; k < h; ++k)
                if (column[k] != 0)
                    column[to++] = column[k];
            for (int k = to; k < h; ++k)
                column[k] = 0;
            b.height[static_cast<std::size_t>(c)] = static_cast<short>(to);
            if (to == 0)
                emptied = true;
        }
        if (emptied) {
            int to = minColumn;
            for (int c = minColumn; c < b.columns; ++c) {
                short h = b.height[static_cast<std::size_t>(c)];
                if (h == 0)
                    continue;
                if (to != c) {
                    std::memcpy(cells + Index(to, 0), cells + Index(c, 0), static_cast<std::size_t>(h));
                    std::memset(cells + Index(c, 0), 0, static_cast<std::size_t>(h));
                    b.height[static_cast<std::size_t>(to)] = h;
                    b.height[static_cast<std::size_t>(c)] = 0;
                }
                ++to;
            }
            b.columns = to;
        }
        b.score += Square(n - 2);
        int kind = road_ ? 1 : (value & 15);
        b.counts.count[kind] -= n;
        b.counts.rest -= n;
        return n;
    }

private:
    bool road_;
    bool bits_;
    std::vector<int> kinds_;   // the kinds on the board loaded
    std::vector<short> columnOf_;   // the column of each cell
    int changedFrom_ = 0;      // the columns the last removal changed
    int changedTo_ = 0;
    int emptied_ = 0;          // and how many of them it emptied

    // The bits of one word for the columns from `first` to `last`.
    static std::uint64_t ColumnsBetween(int first, int last, int word)
    {
        std::uint64_t bits = 0;
        for (int c = std::max(first, word * 4); c <= last && c < word * 4 + 4; ++c)
            bits |= 0xFFFFull << ((c - word * 4) * 16);
        return bits;
    }

    // Sets the bits from the cells, on a board whose bits are all clear.
    void SetBits(Board& b) const
    {
        std::uint64_t* bits = b.bits.data();
        for (int c = 0; c < b.columns; ++c) {
            const unsigned char* column = b.cells.data() + Index(c, 0);
            const int h = b.height[static_cast<std::size_t>(c)];
            for (int up = 0; up < h; ++up)
                bits[(column[up] & 15) * Words + (c >> 2)] |= 1ull << ((c & 3) * 16 + up);
        }
    }

    int IndexOfBit(int word, int bit) const { return Index(word * 4 + (bit >> 4), bit & 15); }

    // The groups of a kind that hold a cell of `seeds`.
    int BitGroups(const Board& b, int kind, Group* out, Cells seeds = Cells{~0ull, ~0ull, ~0ull, ~0ull}) const
    {
        Cells open = Paired(Load4(b.bits.data() + kind * Words));
        seeds.w0 &= open.w0;
        seeds.w1 &= open.w1;
        seeds.w2 &= open.w2;
        seeds.w3 &= open.w3;
        int count = 0;
        while (true) {
            Cells seed{0, 0, 0, 0};
            if (seeds.w0 != 0)
                seed.w0 = seeds.w0 & (~seeds.w0 + 1);
            else if (seeds.w1 != 0)
                seed.w1 = seeds.w1 & (~seeds.w1 + 1);
            else if (seeds.w2 != 0)
                seed.w2 = seeds.w2 & (~seeds.w2 + 1);
            else if (seeds.w3 != 0)
                seed.w3 = seeds.w3 & (~seeds.w3 + 1);
            else
                return count;
            Cells group = FloodBits(seed, open);
            open.w0 &= ~group.w0;
            open.w1 &= ~group.w1;
            open.w2 &= ~group.w2;
            open.w3 &= ~group.w3;
            seeds.w0 &= ~group.w0;
            seeds.w1 &= ~group.w1;
            seeds.w2 &= ~group.w2;
            seeds.w3 &= ~group.w3;
            // The group's first cell (its lowest bit) and its last column.
            int first = group.w0 != 0   ? __builtin_ctzll(group.w0)
                        : group.w1 != 0 ? 64 + __builtin_ctzll(group.w1)
                        : group.w2 != 0 ? 128 + __builtin_ctzll(group.w2)
                                        : 192 + __builtin_ctzll(group.w3);
            int top = group.w3 != 0   ? 255 - __builtin_clzll(group.w3)
                      : group.w2 != 0 ? 191 - __builtin_clzll(group.w2)
                      : group.w1 != 0 ? 127 - __builtin_clzll(group.w1)
                                      : 63 - __builtin_clzll(group.w0);
            out[count++] = Group{IndexOfBit(first >> 6, first & 63), Count(group), kind, first >> 4, top >> 4};
        }
    }

    // Removes the group at cell i on the bit board alone (the cells are not
    // kept there): each column of the group squeezes out its removed cells,
    // and the columns this empties are taken out, those right of them moving
    // left. Returns the group's size, or 0.
    int RemoveBits(Board& b, int i)
    {
        const int column = ColumnOf(i);
        const int up = i - Index(column, 0);
        if (column < 0 || column >= b.columns || up < 0 || up >= b.height[static_cast<std::size_t>(column)])
            return 0;
        std::uint64_t* bits = b.bits.data();
        const int word = column >> 2;
        const std::uint64_t bit = 1ull << ((column & 3) * 16 + up);
        int kind = 0;
        for (int k : kinds_)
            if ((bits[k * Words + word] & bit) != 0) {
                kind = k;
                break;
            }
        Cells seed{word == 0 ? bit : 0, word == 1 ? bit : 0, word == 2 ? bit : 0, word == 3 ? bit : 0};
        Cells group = FloodBits(seed, Load4(bits + kind * Words));
        const int n = Count(group);
        if (kind == 0 || n < 2)
            return 0;
        const std::uint64_t removed[Words] = {group.w0, group.w1, group.w2, group.w3};
        int minColumn = C;
        int maxColumn = -1;
        int emptied = 0;
        for (int w = 0; w < Words; ++w)
            for (int lane = 0; lane < 4; ++lane) {
                const int shift = lane * 16;
                const std::uint64_t gone = (removed[w] >> shift) & 0xFFFF;
                if (gone == 0)
                    continue;
                const int c = w * 4 + lane;
                minColumn = std::min(minColumn, c);
                maxColumn = std::max(maxColumn, c);
                for (int k : kinds_) {
                    std::uint64_t& x = bits[k * Words + w];
                    std::uint64_t kept = (x >> shift) & 0xFFFF;
                    if (kept == 0)
                        continue;
                    // Squeeze out the removed cells from the top down.
                    for (std::uint64_t g = gone; g != 0;) {
                        const std::uint64_t low = (1ull << (63 - __builtin_clzll(g))) - 1;
                        kept = (kept & low) | ((kept >> 1) & ~low);
                        g &= low;
                    }
                    x = (x & ~(0xFFFFull << shift)) | (kept << shift);
                }
                short& h = b.height[static_cast<std::size_t>(c)];
                h = static_cast<short>(h - Count(gone));
                if (h == 0)
                    ++emptied;
            }
        if (emptied > 0)
            for (int c = maxColumn; c >= minColumn; --c)
                if (b.height[static_cast<std::size_t>(c)] == 0)
                    TakeOutColumn(b, c);
        changedFrom_ = minColumn;
        changedTo_ = maxColumn;
        emptied_ = emptied;
        b.score += Square(n - 2);
        b.counts.count[kind] -= n;
        b.counts.rest -= n;
        return n;
    }

    // Takes out the empty column c: the columns right of it move one left.
    void TakeOutColumn(Board& b, int c)
    {
        const int word = c >> 2;
        const std::uint64_t below = (1ull << ((c & 3) * 16)) - 1;
        for (int k : kinds_) {
            std::uint64_t* x = b.bits.data() + k * Words;
            x[word] = (x[word] & below) | ((x[word] >> 16) & ~below);
            for (int w = word; w < Words; ++w) {
                if (w > word)
                    x[w] >>= 16;
                if (w + 1 < Words)
                    x[w] |= x[w + 1] << 48;
            }
        }
        for (int k = c; k + 1 < b.columns; ++k)
            b.height[static_cast<std::size_t>(k)] = b.height[static_cast<std::size_t>(k + 1)];
        b.height[static_cast<std::size_t>(b.columns - 1)] = 0;
        --b.columns;
    }

    int Flood(const unsigned char* cells, int start, bool collect)
    {
        int* stack = stack_.data();
        int* seen = seen_.data();
        const int stamp = stamp_;
        int depth = 0;
        int size = 0;
        stack[depth++] = start;
        seen[start] = stamp;
        const unsigned char a0 = cells[start];
        while (depth > 0) {
            int i = stack[--depth];
            if (collect)
                members_[static_cast<std::size_t>(size)] = i;
            ++size;
            if (!road_) {
                if (cells[i + 1] == a0 && seen[i + 1] != stamp) {
                    seen[i + 1] = stamp;
                    stack[depth++] = i + 1;
                }
                if (cells[i - 1] == a0 && seen[i - 1] != stamp) {
                    seen[i - 1] = stamp;
                    stack[depth++] = i - 1;
                }
                if (cells[i + S] == a0 && seen[i + S] != stamp) {
                    seen[i + S] = stamp;
                    stack[depth++] = i + S;
                }
                if (cells[i - S] == a0 && seen[i - S] != stamp) {
                    seen[i - S] = stamp;
                    stack[depth++] = i - S;
                }
                continue;
            }
            // Roads: up is one cell higher in the column, right one column on.
            unsigned char a = cells[i];
            if ((a & Up) && (cells[i + 1] & Down) && seen[i + 1] != stamp) {
                seen[i + 1] = stamp;
                stack[depth++] = i + 1;
            }
            if ((a & Down) && (cells[i - 1] & Up) && seen[i - 1] != stamp) {
                seen[i - 1] = stamp;
                stack[depth++] = i - 1;
            }
            if ((a & Right) && (cells[i + S] & Left) && seen[i + S] != stamp) {
                seen[i + S] = stamp;
                stack[depth++] = i + S;
            }
            if ((a & Left) && (cells[i - S] & Right) && seen[i - S] != stamp) {
                seen[i - S] = stamp;
                stack[depth++] = i - S;
            }
        }
        return size;
    }
};

// Nested Monte-Carlo search over the fast board. A playout removes groups at
// random but spares the kind with the most tiles while anything else can go,
// so that kind gathers into one large group for the end. A search of level L
// plays a line move by move, trying every move with a search of level L - 1
// after it and following the best line found so far (never forgetting it).
// At the top, each move gets its share of the time and deepens level by level
// (the children most promising first) until that share is spent, so a search
// of any length ends with a whole line and gives the early moves, which
// matter most, the deepest looks.
class Nested {
public:
    Nested(const SolvePosition& p, SolveObjective objective, Clock::time_point deadline,
           const std::atomic<bool>* stop)
        : p_(p), objective_(objective), deadline_(deadline), stop_(stop), fast_(p.columns, p.rows, p.road)
    {
    }

    bool Load(Board* b) { return fast_.Load(p_, b); }

    // Plays from `start` until the time is up; improves the best line.
    void Run(const Board& start, std::vector<int>* bestLine, long long* bestValue)
    {
        Board b = start;
        std::vector<int> prefix;
        std::vector<Group> groups(static_cast<std::size_t>(fast_.C * fast_.R) / 2 + 2);
        std::vector<long long> promise;
        std::vector<int> order;
        std::vector<int> sub;
        Board child;
        while (!OutOfTime(deadline_)) {
            int n = fast_.FindGroups(b, groups.data());
            if (n == 0)
                return;
            // This move's share of what is left: the line ahead has about
            // as many moves again as the best line has from here.
            int ahead = std::max(1, static_cast<int>(bestLine->size() - prefix.size()));
            double left = std::chrono::duration<double>(deadline_ - Clock::now()).count();
            double share = left * std::min(1.0, ShareFactor / ahead);
            stepDeadline_ = Clock::now() + std::chrono::microseconds(static_cast<long long>(share * 1e6));
            promise.assign(static_cast<std::size_t>(n), LLONG_MIN);
            order.resize(static_cast<std::size_t>(n));
            for (int g = 0; g < n; ++g)
                order[static_cast<std::size_t>(g)] = g;
            aborted_ = false;
            for (int level = 0; level <= MaxLevel && !aborted_; ++level) {
                std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
                    return promise[static_cast<std::size_t>(x)] > promise[static_cast<std::size_t>(y)];
                });
                for (int g : order) {
                    child = b;
                    int anchor = groups[static_cast<std::size_t>(g)].anchor;
                    fast_.Remove(child, anchor);
                    long long v = Search(child, level, &sub);
                    if (aborted_)
                        break;
                    promise[static_cast<std::size_t>(g)] = std::max(promise[static_cast<std::size_t>(g)], v);
                    if (v > *bestValue) {
                        *bestValue = v;
                        bestLine->assign(prefix.begin(), prefix.end());
                        bestLine->push_back(anchor);
                        bestLine->insert(bestLine->end(), sub.begin(), sub.end());
                    }
                }
            }
            // Follow the best line: it begins with the moves played so far.
            int next = (*bestLine)[prefix.size()];
            fast_.Remove(b, next);
            prefix.push_back(next);
        }
    }

    // One playout from the board: its line and its worth.
    long long Playout(Board& b, std::vector<int>* line)
    {
        ++playouts;
        line->clear();
        Group* groups = playoutGroups_.data();
        int tabu = 0;
        if (!p_.road) {
            tabu = 1;
            for (int k = 1; k < Kinds; ++k)
                if (b.counts.count[k] > b.counts.count[tabu])
                    tabu = k;
        }
        int steps = 0;
        while (true) {
            int n = fast_.FindGroups(b, groups, tabu);
            if (n == 0)
                break;
            if ((++steps & 15) == 0 && fast_.C * fast_.R > 4096 && OutOfTime(deadline_)) {
                aborted_ = true;
                break;
            }
            int pick = static_cast<int>(Random(static_cast<std::uint32_t>(n)));
            line->push_back(groups[pick].anchor);
            fast_.Remove(b, groups[pick].anchor);
        }
        return Value(objective_, b.score, b.counts);
    }

    SolveMove MoveOf(int i) const { return fast_.MoveOf(i); }
    Fast& Rules() { return fast_; }
    long long playouts = 0;

private:
    static const int MaxLevel = 4;
    static constexpr double ShareFactor = 3.0;

    const SolvePosition& p_;
    SolveObjective objective_;
    Clock::time_point deadline_;
    Clock::time_point stepDeadline_;
    const std::atomic<bool>* stop_;
    Fast fast_;
    bool aborted_ = false;
    std::uint64_t rng_ = 0x2545F4914F6CDD1Dull;
    std::vector<Group> playoutGroups_ = std::vector<Group>(static_cast<std::size_t>(fast_.C * fast_.R) / 2 + 2);
    Board playoutBoard_;
    struct Level {
        Board board;
        Board child;
        std::vector<Group> groups;
        std::vector<int> best;
        std::vector<int> sub;
    };
    std::vector<Level> levels_ = std::vector<Level>(MaxLevel + 1);

    std::uint32_t Random(std::uint32_t bound)
    {
        rng_ ^= rng_ << 13;
        rng_ ^= rng_ >> 7;
        rng_ ^= rng_ << 17;
        return static_cast<std::uint32_t>((rng_ >> 32) * bound >> 32);
    }

    bool OutOfTime(Clock::time_point deadline) const
    {
        return (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) || Clock::now() >= deadline;
    }

    // The best line from `start` of a search of this level, and its worth.
    long long Search(const Board& start, int level, std::vector<int>* line)
    {
        if (level == 0) {
            playoutBoard_ = start;
            return Playout(playoutBoard_, line);
        }
        Level& L = levels_[static_cast<std::size_t>(level)];
        if (L.groups.empty())
            L.groups.resize(static_cast<std::size_t>(fast_.C * fast_.R) / 2 + 2);
        L.board = start;
        L.best.clear();
        long long bestValue = LLONG_MIN;
        std::size_t played = 0;
        while (true) {
            int n = fast_.FindGroups(L.board, L.groups.data());
            if (n == 0) {
                if (bestValue == LLONG_MIN) {
                    bestValue = Value(objective_, L.board.score, L.board.counts);
                    L.best.clear();
                }
                break;
            }
            for (int g = 0; g < n; ++g) {
                if (OutOfTime(stepDeadline_)) {
                    aborted_ = true;
                    return bestValue;
                }
                L.child = L.board;
                int anchor = L.groups[static_cast<std::size_t>(g)].anchor;
                fast_.Remove(L.child, anchor);
                long long v = Search(L.child, level - 1, &L.sub);
                if (aborted_)
                    return bestValue;
                if (v > bestValue) {
                    bestValue = v;
                    L.best.resize(played);
                    L.best.push_back(anchor);
                    L.best.insert(L.best.end(), L.sub.begin(), L.sub.end());
                }
            }
            fast_.Remove(L.board, L.best[played]);
            ++played;
        }
        *line = L.best;
        return bestValue;
    }
};

// Nested rollout policy adaptation over the fast board. A playout picks each
// removal with a probability that grows with the weight of its code (its
// kind and the cell it starts from), never taking the spared kind while
// another can go (short searches first choose which kind to spare, given
// the time). A search of level L runs searches of level
// L - 1 one after the other, each time shifting the weights towards the
// best line so far; the top level (which a minute never ends) repeats from
// fresh weights while time is left, and every playout is a whole line from
// the start.
class PolicySearch {
public:
    PolicySearch(const SolvePosition& p, SolveObjective objective, Clock::time_point deadline,
                 const std::atomic<bool>* stop, long long limit, Fast* fast)
        : p_(p), objective_(objective), deadline_(deadline), stop_(stop), fast_(*fast),
          codes_(static_cast<std::size_t>(Kinds * (fast->C + 2) * fast->S)),
          groups_(static_cast<std::size_t>(fast->C * fast->R) / 2 + 2), limit_(limit)
    {
        levels_.resize(TopLevel + 1);
        bias_.resize(static_cast<std::size_t>(fast->C * fast->R) + 1);
        for (std::size_t k = 0; k < bias_.size(); ++k)
            bias_[k] = std::sqrt(static_cast<double>(std::max<std::size_t>(k, 1)));
        delta_.assign(codes_, 0.0);
        for (Level& L : levels_) {
            L.weight.assign(codes_, 0.0);
            L.odds.assign(codes_, 1.0);
        }
    }

    // Searches from `start` until the time is up; improves the best line.
    // With `trials` over 0, short searches first choose the kind to spare
    // (see ChooseSpare).
    void Run(const Board& start, int first, int trials, std::vector<int>* bestLine, long long* bestValue)
    {
        start_ = &start;
        bestLine_ = bestLine;
        bestValue_ = bestValue;
        spare_ = Tabu(start);
        if (trials > 0 && !p_.road)
            spare_ = ChooseSpare(start, first, trials);
        while (!OutOfTime())
            Search(TopLevel, Fresh(levels_[TopLevel]));
    }

private:
    static const int TopLevel = 4;
    static const int ChoiceLevel = 2;   // the searches that choose the kind to spare
    static const std::size_t Finalists = 3;
    static const int Iterations = 100;
    static constexpr double Alpha = 1.0;

    // A line with, for each of its moves, the codes it was chosen from.
    struct Trace {
        std::vector<int> line;
        std::vector<int> codes;
        std::vector<double> bias;
        std::vector<int> starts;
        std::vector<int> chosen;
        void Clear()
        {
            line.clear();
            codes.clear();
            bias.clear();
            starts.assign(1, 0);
            chosen.clear();
        }
    };

    struct Level {
        std::vector<double> weight;
        std::vector<double> odds;   // exp(weight)
        Trace best;
        long long value = LLONG_MIN;
    };
    Trace trace_;
    std::vector<double> delta_;
    std::vector<double> bias_;
    std::vector<int> touched_;

    const SolvePosition& p_;
    SolveObjective objective_;
    Clock::time_point deadline_;
    const std::atomic<bool>* stop_;
    Fast& fast_;
    std::size_t codes_;
    std::vector<Group> groups_;
    std::vector<Level> levels_;
    std::vector<double> before_;
    std::vector<double> chance_;
    Board board_;
    const Board* start_ = nullptr;
    std::vector<int>* bestLine_ = nullptr;
    long long* bestValue_ = nullptr;
    std::uint64_t rng_ = 0x9E3779B97F4A7C15ull;
    long long limit_;   // playouts, when over 0
    int spare_ = 0;     // the kind the playouts spare while another can go

    bool OutOfTime() const
    {
        return (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) || Clock::now() >= deadline_ ||
               (limit_ > 0 && playouts >= limit_);
    }

    double Uniform()
    {
        rng_ ^= rng_ << 13;
        rng_ ^= rng_ >> 7;
        rng_ ^= rng_ << 17;
        return static_cast<double>(rng_ >> 11) * (1.0 / 9007199254740992.0);
    }

    static Level& Fresh(Level& L)
    {
        std::fill(L.weight.begin(), L.weight.end(), 0.0);
        std::fill(L.odds.begin(), L.odds.end(), 1.0);
        return L;
    }

    // Sparing the kind with the most tiles gathers the largest group for
    // the end, but another kind often gathers better (which one is spared
    // can be worth a fifth of the score). Every kind gets `first` short
    // searches, the three best so far get more up to `trials` in all, and
    // the kind whose best line is worth the most is spared from then on.
    int ChooseSpare(const Board& start, int first, int trials)
    {
        struct Choice {
            int kind;
            long long value;
        };
        std::vector<Choice> choices;
        for (int k = 1; k < Kinds; ++k)
            if (start.counts.count[k] >= 2)
                choices.push_back(Choice{k, LLONG_MIN});
        auto tryKind = [&](Choice& c, int times) {
            spare_ = c.kind;
            for (int t = 0; t < times && !OutOfTime(); ++t) {
                Search(ChoiceLevel, Fresh(levels_[ChoiceLevel]));
                c.value = std::max(c.value, levels_[ChoiceLevel].value);
            }
        };
        auto better = [](const Choice& x, const Choice& y) { return x.value > y.value; };
        for (Choice& c : choices)
            tryKind(c, first);
        std::stable_sort(choices.begin(), choices.end(), better);
        const std::size_t finalists = std::min(choices.size(), Finalists);
        for (std::size_t i = 0; i < finalists; ++i)
            tryKind(choices[i], trials - first);
        // The first of the best (min_element by `better`).
        auto best = std::min_element(choices.begin(), choices.begin() + static_cast<std::ptrdiff_t>(finalists), better);
        return finalists == 0 || best->value == LLONG_MIN ? Tabu(start) : best->kind;
    }

    // The kind with the most tiles.
    int Tabu(const Board& b) const
    {
        if (p_.road)
            return 0;
        int tabu = 1;
        for (int k = 1; k < Kinds; ++k)
            if (b.counts.count[k] > b.counts.count[tabu])
                tabu = k;
        return tabu;
    }

    std::size_t Code(const Group& g) const
    {
        return static_cast<std::size_t>(g.value & 15) * static_cast<std::size_t>((fast_.C + 2) * fast_.S) +
               static_cast<std::size_t>(g.anchor);
    }

public:
    long long playouts = 0;
    int Spared() const { return spare_; }

private:
    long long Playout(const Level& policy)
    {
        ++playouts;
        board_ = *start_;
        trace_.Clear();
        const int tabu = spare_;
        int m = -1;
        while (true) {
            m = m < 0 ? fast_.FindGroups(board_, groups_.data(), tabu)
                      : fast_.UpdateGroups(board_, groups_.data(), m, tabu);
            if (m == 0)
                break;
            chance_.resize(static_cast<std::size_t>(m));
            double total = 0;
            for (int a = 0; a < m; ++a) {
                const Group& g = groups_[static_cast<std::size_t>(a)];
                std::size_t code = Code(g);
                double bias = bias_[static_cast<std::size_t>(g.size)];
                trace_.codes.push_back(static_cast<int>(code));
                trace_.bias.push_back(bias);
                total += policy.odds[code] * bias;
                chance_[static_cast<std::size_t>(a)] = total;
            }
            trace_.starts.push_back(static_cast<int>(trace_.codes.size()));
            double r = Uniform() * total;
            int pick = m - 1;
            for (int a = 0; a < m; ++a)
                if (r < chance_[static_cast<std::size_t>(a)]) {
                    pick = a;
                    break;
                }
            const Group& g = groups_[static_cast<std::size_t>(pick)];
            trace_.chosen.push_back(static_cast<int>(Code(g)));
            trace_.line.push_back(g.anchor);
            fast_.Remove(board_, g.anchor);
        }
        long long value = Value(objective_, board_.score, board_.counts);
        if (value > *bestValue_) {
            *bestValue_ = value;
            *bestLine_ = trace_.line;
        }
        return value;
    }

    // Shifts the weights towards the line traced (the chances from the
    // weights as they were before).
    void Adapt(Level& policy, const Trace& t)
    {
        touched_.clear();
        for (std::size_t step = 0; step + 1 < t.starts.size(); ++step) {
            int from = t.starts[step];
            int to = t.starts[step + 1];
            if (to - from < 2)
                continue;   // a forced move teaches nothing
            double total = 0;
            for (int k = from; k < to; ++k)
                total += policy.odds[static_cast<std::size_t>(t.codes[static_cast<std::size_t>(k)])] *
                         t.bias[static_cast<std::size_t>(k)];
            double share = Alpha / total;
            for (int k = from; k < to; ++k) {
                std::size_t code = static_cast<std::size_t>(t.codes[static_cast<std::size_t>(k)]);
                if (delta_[code] == 0)
                    touched_.push_back(static_cast<int>(code));
                delta_[code] -= share * policy.odds[code] * t.bias[static_cast<std::size_t>(k)];
            }
            std::size_t chosen = static_cast<std::size_t>(t.chosen[step]);
            if (delta_[chosen] == 0)
                touched_.push_back(static_cast<int>(chosen));
            delta_[chosen] += Alpha;
        }
        for (int c : touched_) {
            std::size_t code = static_cast<std::size_t>(c);
            policy.weight[code] += delta_[code];
            policy.odds[code] = std::exp(policy.weight[code]);
            delta_[code] = 0;
        }
    }

    // Returns with levels_[level].best the best line of this search.
    void Search(int level, Level& policy)
    {
        Level& L = levels_[static_cast<std::size_t>(level)];
        L.value = LLONG_MIN;
        L.best.Clear();
        if (&policy != &L) {
            L.weight = policy.weight;
            L.odds = policy.odds;
        }
        for (int i = 0; i < Iterations; ++i) {
            if (OutOfTime())
                return;
            long long v;
            if (level == 1) {
                v = Playout(L);
                if (v >= L.value) {
                    L.value = v;
                    std::swap(L.best, trace_);   // the next playout clears the trace
                }
            } else {
                Search(level - 1, L);
                const Level& below = levels_[static_cast<std::size_t>(level - 1)];
                v = below.value;
                if (v >= L.value && v != LLONG_MIN) {
                    L.value = v;
                    L.best = below.best;
                }
            }
            if (!L.best.chosen.empty())
                Adapt(L, L.best);
        }
    }
};

}  // namespace

SolveResult Solve(const SolvePosition& position, SolveObjective objective, double seconds,
                  const std::atomic<bool>* stop, long long playoutLimit)
{
    SolveResult best;
    if (!HoldsItsCells(position))
        return best;
    Clock::time_point start = Clock::now();
    Clock::time_point deadline = DeadlineAfter(start, seconds);
    Nested search(position, objective, deadline, stop);
    Board board;
    if (!search.Load(&board))
        return GreedyLine(position, objective);
    // A first whole line from one playout, then the search improves on it:
    // adapting a policy on boards of up to 64 x 64 cells, nesting searches
    // (which can stop within a playout) on larger ones.
    std::vector<int> line;
    Board scratch = board;
    long long value = search.Playout(scratch, &line);
    if (position.columns * position.rows <= 4096) {
        PolicySearch policy(position, objective, deadline, stop, playoutLimit, &search.Rules());
        // A minute affords three short searches for each kind to spare and
        // twenty for the finalists (a quarter of the playouts: a wrong kind
        // costs more than the search loses), ten seconds one and three; a
        // Hint's half second keeps to the kind with the most.
        int first = seconds >= 30 ? 3 : seconds >= 4 ? 1 : 0;
        int trials = seconds >= 30 ? 20 : seconds >= 4 ? 3 : 0;
        policy.Run(board, first, trials, &line, &value);
        best.playouts = policy.playouts;
        best.spared = policy.Spared();
    } else {
        search.Run(board, &line, &value);
    }
    best.playouts += search.playouts;
    best.line.clear();
    // Replay the line on the board to turn its cells into moves.
    scratch = board;
    for (int i : line) {
        best.line.push_back(search.MoveOf(i));
        search.Rules().Remove(scratch, i);
    }
    long long score = 0;
    int rest = 0;
    if (!PlayLine(position, best.line, &score, &rest) || score != scratch.score)
        return GreedyLine(position, objective);
    best.score = score;
    best.rest = rest;
    best.cleared = rest == 0;
    best.value = Value(objective, score, scratch.counts);
    return best;
}

bool PlayLine(const SolvePosition& position, const std::vector<SolveMove>& line, long long* score, int* rest)
{
    Engine engine(position.columns, position.rows, position.road);
    std::vector<unsigned char> cells(position.cells);
    long long total = 0;
    bool ok = true;
    for (const SolveMove& m : line) {
        if (m.column < 0 || m.column >= position.columns || m.row < 0 || m.row >= position.rows) {
            ok = false;
            break;
        }
        int n = engine.Remove(cells.data(), m.row * position.columns + m.column);
        if (n < 2) {
            ok = false;
            break;
        }
        total += Square(n - 2);
    }
    *score = total;
    *rest = CountCells(cells.data(), static_cast<int>(cells.size()), position.road).rest;
    return ok;
}

long long LineValue(SolveObjective objective, long long score, const SolvePosition& finalBoard)
{
    return Value(objective, score,
                 CountCells(finalBoard.cells.data(), static_cast<int>(finalBoard.cells.size()), finalBoard.road));
}
