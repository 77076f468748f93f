// The fast board's engine on bit boards: up to 16 columns of up to 15 tiles, without roads.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>
// The processor's bit gathers where the build allows them; HANABO_PORTABLE_BITS
// keeps to the portable loop (which the Windows programs use) for its tests.
#if defined(__BMI2__) && !defined(HANABO_PORTABLE_BITS)
#define HANABO_BIT_GATHERS 1
#include <immintrin.h>
#endif

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
        b->height.resize(16, 0);   // a height for every column of the bits
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

    // A removal changes each of its columns from its lowest removed cell up
    // (an emptied column wholly, as its neighbours meet). A group with no
    // cell in or next to a changed cell stays as it was (moved left by the
    // columns emptied left of it), and only the groups with a cell there are
    // found again.
    int UpdateGroups(const FastBoard& b, FastGroup* groups, int n, int spare) const
    {
        if (n > 0 && groups[0].value == spare)
            return FindGroups(b, groups, spare);   // the spared kind's groups are listed only alone
        // Each group is copied down over the dropped ones, and kept or not
        // without a branch: which ones go is as good as random.
        int kept = 0;
        for (int g = 0; g < n; ++g) {
            const FastGroup& group = groups[g];
            const Cells& near = nearBefore_;
            const bool keep = ((group.bits[0] & near.w0) | (group.bits[1] & near.w1) | (group.bits[2] & near.w2) |
                               (group.bits[3] & near.w3)) == 0;
            groups[kept] = group;
            kept += keep;
        }
        if (emptied_ > 0)
            for (int g = 0; g < kept; ++g)
                MoveLeft(groups[g]);
        int count = kept;
        for (int k : kinds_)
            if (k != spare)
                count += BitGroups(b, k, groups + count, nearAfter_);
        if (count == 0 && spare >= 0)
            count = BitGroups(b, spare, groups);
        return count;
    }

    // Removes the group at cell i (see RemoveGroup).
    int Remove(FastBoard& b, int i)
    {
        const int column = layout_.ColumnOf(i);
        const int up = i - layout_.Index(column, 0);
        if (column < 0 || column >= b.columns || up < 0 || up >= b.height[static_cast<std::size_t>(column)])
            return 0;
        const std::uint64_t* bits = b.bits.data();
        const int word = column >> 2;
        const std::uint64_t bit = 1ull << ((column & 3) * 16 + up);
        int kind = 0;
        for (int k : kinds_)
            if ((bits[k * Words + word] & bit) != 0) {
                kind = k;
                break;
            }
        if (kind == 0)
            return 0;
        Cells seed{word == 0 ? bit : 0, word == 1 ? bit : 0, word == 2 ? bit : 0, word == 3 ? bit : 0};
        Cells group = FloodBits(seed, Load4(bits + kind * Words));
        return RemoveCells(b, kind, group);
    }

    // Removes a group found on this board by the cells kept with it.
    int RemoveGroup(FastBoard& b, const FastGroup& g)
    {
        return RemoveCells(b, g.value, Cells{g.bits[0], g.bits[1], g.bits[2], g.bits[3]});
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
    // The last removal's: the cells it changed and their neighbours, before
    // and after the columns it emptied went, and those columns, left first.
    Cells nearBefore_{0, 0, 0, 0};
    Cells nearAfter_{0, 0, 0, 0};
    int emptiedColumns_[16] = {};
    int emptied_ = 0;

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
        std::uint64_t left[Words] = {seeds.w0, seeds.w1, seeds.w2, seeds.w3};
        int count = 0;
        for (int w = 0; w < Words; ++w)
            while (left[w] != 0) {
                const std::uint64_t bit = left[w] & (~left[w] + 1);
                Cells seed{w == 0 ? bit : 0, w == 1 ? bit : 0, w == 2 ? bit : 0, w == 3 ? bit : 0};
                Cells group = FloodBits(seed, open);
                open.w0 &= ~group.w0;
                open.w1 &= ~group.w1;
                open.w2 &= ~group.w2;
                open.w3 &= ~group.w3;
                left[0] &= ~group.w0;
                left[1] &= ~group.w1;
                left[2] &= ~group.w2;
                left[3] &= ~group.w3;
                // The group's first cell (its lowest bit).
                int first = group.w0 != 0   ? __builtin_ctzll(group.w0)
                            : group.w1 != 0 ? 64 + __builtin_ctzll(group.w1)
                            : group.w2 != 0 ? 128 + __builtin_ctzll(group.w2)
                                            : 192 + __builtin_ctzll(group.w3);
                out[count++] = FastGroup{IndexOfBit(first >> 6, first & 63), Count(group), kind,
                                         {group.w0, group.w1, group.w2, group.w3}};
            }
        return count;
    }

    // Removes the group on the bit board alone (the cells are not kept
    // there): each column of the group squeezes out its removed cells, and
    // the columns this empties are taken out, those right of them moving left.
    int RemoveCells(FastBoard& b, int kind, Cells group)
    {
        const int n = Count(group);
        if (n < 2)
            return 0;
        std::uint64_t* bits = b.bits.data();
        const std::uint64_t removed[Words] = {group.w0, group.w1, group.w2, group.w3};
        // Column by column (without branches: which columns the group
        // empties is as good as random): the cells that change, from the
        // lowest removed up, and the room the cells left fill.
        std::uint64_t changed[Words] = {0, 0, 0, 0};
        std::uint64_t after[Words] = {~0ull, ~0ull, ~0ull, ~0ull};
        std::uint64_t emptiedLanes[Words] = {0, 0, 0, 0};
        int emptied = 0;
        for (int w = 0; w < Words; ++w) {
            if (removed[w] == 0)
                continue;
            std::uint64_t room = 0;
            for (int lane = 0; lane < 4; ++lane) {
                const int shift = lane * 16;
                const std::uint64_t gone = (removed[w] >> shift) & 0xFFFF;
                short& h = b.height[static_cast<std::size_t>(w * 4 + lane)];
                const std::uint64_t below = (gone & (~gone + 1)) - 1;   // all bits when none goes
                const int left = h - Count(gone);
                const bool empties = left == 0 && h > 0;
                changed[w] |= (((1ull << h) - 1) & ~below) << shift;
                emptiedLanes[w] |= (0 - static_cast<std::uint64_t>(empties)) & (0xFFFFull << shift);
                emptiedColumns_[emptied] = w * 4 + lane;
                emptied += empties;
                room |= ((1ull << (16 - Count(gone))) - 1) << shift;
                h = static_cast<short>(left);
            }
            after[w] = room;
        }
        // Each kind's cells squeezed down (a word no cell left stays as it
        // is); the changed cells (and all of an emptied column) with their
        // neighbours left, right and below.
        for (int k : kinds_) {
            std::uint64_t* x = bits + k * Words;
            for (int w = 0; w < Words; ++w)
                x[w] = Squeeze(x[w], ~removed[w], after[w]);
        }
        std::uint64_t d[Words];
        for (int w = 0; w < Words; ++w)
            d[w] = changed[w] | emptiedLanes[w];
        Cells near{d[0] | (d[0] << 16) | (d[0] >> 16) | (d[1] << 48) | ((d[0] >> 1) & NotTop),
                   d[1] | (d[1] << 16) | (d[0] >> 48) | (d[1] >> 16) | (d[2] << 48) | ((d[1] >> 1) & NotTop),
                   d[2] | (d[2] << 16) | (d[1] >> 48) | (d[2] >> 16) | (d[3] << 48) | ((d[2] >> 1) & NotTop),
                   d[3] | (d[3] << 16) | (d[2] >> 48) | (d[3] >> 16) | ((d[3] >> 1) & NotTop)};
        nearBefore_ = near;
        for (int e = emptied - 1; e >= 0; --e) {
            TakeOutColumn(b, emptiedColumns_[e]);
            std::uint64_t x[Words] = {near.w0, near.w1, near.w2, near.w3};
            TakeOut(x, emptiedColumns_[e]);
            near = Cells{x[0], x[1], x[2], x[3]};
        }
        nearAfter_ = near;
        emptied_ = emptied;
        b.score += RemovalPoints(n);
        b.counts.count[kind] -= n;
        b.counts.rest -= n;
        return n;
    }

    // Each column's cells of x that `keep` keeps, moved down onto the
    // column's bottom (`after`: the bits each column has room for then).
    static std::uint64_t Squeeze(std::uint64_t x, std::uint64_t keep, std::uint64_t after)
    {
#ifdef HANABO_BIT_GATHERS
        return _pdep_u64(_pext_u64(x, keep), after);
#else
        (void)after;
        if (keep == ~0ull)
            return x;
        std::uint64_t result = 0;
        for (int shift = 0; shift < 64; shift += 16) {
            std::uint64_t kept = (x >> shift) & 0xFFFF;
            // Squeeze out the removed cells from the top down.
            for (std::uint64_t g = (~keep >> shift) & 0xFFFF; g != 0;) {
                const std::uint64_t low = (1ull << (63 - __builtin_clzll(g))) - 1;
                kept = (kept & low) | ((kept >> 1) & ~low);
                g &= low;
            }
            result |= kept << shift;
        }
        return result;
#endif
    }

    // A group kept by UpdateGroups after a removal that emptied columns:
    // it lies wholly left or right of each, and moves left by those left of it.
    void MoveLeft(FastGroup& g) const
    {
        const int first = g.bits[0] != 0   ? __builtin_ctzll(g.bits[0]) >> 4
                          : g.bits[1] != 0 ? 4 + (__builtin_ctzll(g.bits[1]) >> 4)
                          : g.bits[2] != 0 ? 8 + (__builtin_ctzll(g.bits[2]) >> 4)
                                           : 12 + (__builtin_ctzll(g.bits[3]) >> 4);
        int by = 0;
        while (by < emptied_ && emptiedColumns_[by] < first)
            ++by;
        if (by == 0)
            return;
        for (int c = 0; c < by; ++c)
            TakeOut(g.bits, 0);
        g.anchor -= by * layout_.S;
        g.weight = 0;
    }

    // Takes the column c out of the four words of a set of cells: the
    // columns right of it move one left.
    static void TakeOut(std::uint64_t* x, int c)
    {
        const int word = c >> 2;
        const std::uint64_t below = (1ull << ((c & 3) * 16)) - 1;
        x[word] = (x[word] & below) | ((x[word] >> 16) & ~below);
        for (int w = word; w < Words; ++w) {
            if (w > word)
                x[w] >>= 16;
            if (w + 1 < Words)
                x[w] |= x[w + 1] << 48;
        }
    }

    // Takes out the empty column c: the columns right of it move one left.
    void TakeOutColumn(FastBoard& b, int c) const
    {
        for (int k : kinds_)
            TakeOut(b.bits.data() + k * Words, c);
        for (int k = c; k + 1 < b.columns; ++k)
            b.height[static_cast<std::size_t>(k)] = b.height[static_cast<std::size_t>(k + 1)];
        b.height[static_cast<std::size_t>(b.columns - 1)] = 0;
        --b.columns;
    }
};
