// The fast board's engine on bit boards: up to 16 columns of up to 15 tiles, without roads.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "rules/removal.h"
#include "search/fast_board.h"

class BitEngine {
public:
    static constexpr bool Roads = false;
    static constexpr int Words = 4;   // a word per four columns

    // Whether the position fits: no roads, 16 columns, 15 rows, and tile
    // values that fit a kind.
    static bool Fits(const SolvePosition& p)
    {
        if (p.road || p.columns > 16 || p.rows > 15)
            return false;
        for (unsigned char v : p.cells)
            if (v >= Kinds)
                return false;
        return true;
    }

    BitEngine(int columns, int rows) : layout_(columns, rows) {}

    const FastLayout& Layout() const { return layout_; }

    bool Load(const SolvePosition& p, FastBoard* b)
    {
        if (!layout_.Load(p, b))
            return false;
        kinds_.clear();
        for (int k = 1; k < Kinds; ++k)
            if (b->counts.count[k] > 0)
                kinds_.push_back(k);
        b->bits.assign(static_cast<std::size_t>(Kinds * Words), 0);
        SetBits(*b);
        return true;
    }

    int FindGroups(const FastBoard& b, FastGroup* out, int spare = -1) const
    {
        int count = 0;
        for (int k : kinds_)
            if (k != spare)
                count += BitGroups(b, k, out + count);
        if (count == 0 && spare >= 0)
            count = BitGroups(b, spare, out);
        return count;
    }

    // Only the columns from the removal's first to its last changed, so a
    // group that keeps a column clear of them stays as it was (moved left by
    // the columns the removal emptied, when it lies right of them), and only
    // the groups with a cell next to or in them are found again.
    int UpdateGroups(const FastBoard& b, FastGroup* groups, int n, int spare) const
    {
        const int lo = changedFrom_ - 1;
        const int hi = changedTo_ + 1;   // before the emptied columns went
        const int shift = emptied_;
        if (lo <= 0)
            return FindGroups(b, groups, spare);
        int kept = 0;
        for (int g = 0; g < n; ++g) {
            FastGroup& group = groups[g];
            if (group.value == spare)
                return FindGroups(b, groups, spare);
            if (group.last < lo) {
                groups[kept++] = group;
            } else if (group.first > hi) {
                group.anchor -= shift * layout_.S;
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

    // Removes the group on the bit board alone (the cells are not kept
    // there): each column of the group squeezes out its removed cells, and
    // the columns this empties are taken out, those right of them moving left.
    int Remove(FastBoard& b, int i)
    {
        const int column = layout_.ColumnOf(i);
        const int up = i - layout_.Index(column, 0);
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
        int minColumn = layout_.C;
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
        b.score += RemovalPoints(n);
        b.counts.count[kind] -= n;
        b.counts.rest -= n;
        return n;
    }

private:
    // A set of cells on the bit board: four words, sixteen columns.
    struct Cells {
        std::uint64_t w0, w1, w2, w3;
    };

    static constexpr std::uint64_t NotTop = 0x7FFF7FFF7FFF7FFFull;   // each column's top bit cleared
    static constexpr std::uint64_t NotBottom = 0xFFFEFFFEFFFEFFFEull;

    FastLayout layout_;
    std::vector<int> kinds_;   // the kinds on the board loaded
    int changedFrom_ = 0;      // the columns the last removal changed
    int changedTo_ = 0;
    int emptied_ = 0;          // and how many of them it emptied

    static Cells Load4(const std::uint64_t* words) { return Cells{words[0], words[1], words[2], words[3]}; }

    // The cells of `m` that have a neighbour in it.
    static Cells Paired(Cells m)
    {
        auto near = [](std::uint64_t x, std::uint64_t before, std::uint64_t after) {
            return ((x << 1) & NotBottom) | ((x >> 1) & NotTop) | (x << 16) | (x >> 16) | (before >> 48) |
                   (after << 48);
        };
        return Cells{near(m.w0, 0, m.w1) & m.w0, near(m.w1, m.w0, m.w2) & m.w1, near(m.w2, m.w1, m.w3) & m.w2,
                     near(m.w3, m.w2, 0) & m.w3};
    }

    // Grows `g` to every cell of `m` joined to it: each round adds the
    // neighbours, and the rest of every column run above a cell at once (the
    // carry of an addition runs up a run and stops at the cell above it,
    // which is empty: no column holds 16 tiles, so no carry leaves its column).
    static Cells FloodBits(Cells g, Cells m)
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

    static int Count(std::uint64_t x)
    {
#ifdef __POPCNT__
        return __builtin_popcountll(x);
#else
        x -= (x >> 1) & 0x5555555555555555ull;
        x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
        x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
        return static_cast<int>((x * 0x0101010101010101ull) >> 56);
#endif
    }

    static int Count(Cells x) { return Count(x.w0) + Count(x.w1) + Count(x.w2) + Count(x.w3); }

    // The bits of one word for the columns from `first` to `last`.
    static std::uint64_t ColumnsBetween(int first, int last, int word)
    {
        std::uint64_t bits = 0;
        for (int c = std::max(first, word * 4); c <= last && c < word * 4 + 4; ++c)
            bits |= 0xFFFFull << ((c - word * 4) * 16);
        return bits;
    }

    // Sets the bits from the cells, on a board whose bits are all clear.
    void SetBits(FastBoard& b) const
    {
        std::uint64_t* bits = b.bits.data();
        for (int c = 0; c < b.columns; ++c) {
            const unsigned char* column = b.cells.data() + layout_.Index(c, 0);
            const int h = b.height[static_cast<std::size_t>(c)];
            for (int up = 0; up < h; ++up)
                bits[(column[up] & CellTileMask) * Words + (c >> 2)] |= 1ull << ((c & 3) * 16 + up);
        }
    }

    int IndexOfBit(int word, int bit) const { return layout_.Index(word * 4 + (bit >> 4), bit & 15); }

    // The groups of a kind that hold a cell of `seeds`.
    int BitGroups(const FastBoard& b, int kind, FastGroup* out, Cells seeds = Cells{~0ull, ~0ull, ~0ull, ~0ull}) const
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
            out[count++] = FastGroup{IndexOfBit(first >> 6, first & 63), Count(group), kind, first >> 4, top >> 4};
        }
    }

    // Takes out the empty column c: the columns right of it move one left.
    void TakeOutColumn(FastBoard& b, int c) const
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
};
