// The fast board's engine that floods its cells: any size, equal tiles or roads.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "rules/board.h"
#include "rules/removal.h"
#include "search/fast_board.h"

template <bool Road>
class CellEngine {
public:
    static constexpr bool Roads = Road;

    CellEngine(int columns, int rows)
        : layout_(columns, rows), seen_(static_cast<std::size_t>((columns + 2) * (rows + 2)), 0),
          stack_(static_cast<std::size_t>(columns * rows) + 1), members_(static_cast<std::size_t>(columns * rows) + 1)
    {
    }

    const FastLayout& Layout() const { return layout_; }

    bool Load(const SolvePosition& p, FastBoard* b) const { return layout_.Load(p, b); }

    int FindGroups(const FastBoard& b, FastGroup* out, int spare = -1)
    {
        NextStamp();
        const int S = layout_.S;
        int count = 0;
        int spared = 0;
        const unsigned char* cells = b.cells.data();
        for (int c = 0; c < b.columns; ++c) {
            int base = layout_.Index(c, 0);
            int top = base + b.height[static_cast<std::size_t>(c)];
            for (int i = base; i < top; ++i) {
                if (seen_[static_cast<std::size_t>(i)] == stamp_)
                    continue;
                // A tile alone (no floods reach it) is passed over at once.
                unsigned char a = cells[i];
                if (!Road && cells[i + 1] != a && cells[i - 1] != a && cells[i + S] != a && cells[i - S] != a)
                    continue;
                int size = Flood(cells, i, false);
                if (size < 2)
                    continue;
                if (!Road && (a & CellTileMask) == spare)
                    ++spared;
                else
                    out[count++] = FastGroup{i, size, a};
            }
        }
        if (count == 0 && spared > 0)
            return FindGroups(b, out);
        return count;
    }

    // Every removal may change any group, so the groups are found afresh.
    int UpdateGroups(const FastBoard& b, FastGroup* groups, int, int spare) { return FindGroups(b, groups, spare); }

    int RemoveGroup(FastBoard& b, const FastGroup& g) { return Remove(b, g.anchor); }

    int Remove(FastBoard& b, int i)
    {
        unsigned char* cells = b.cells.data();
        unsigned char value = cells[i];
        if (value == 0)
            return 0;
        NextStamp();
        int n = Flood(cells, i, true);
        if (n < 2)
            return 0;
        int minColumn = layout_.C;
        int maxColumn = -1;
        for (int k = 0; k < n; ++k) {
            int m = members_[static_cast<std::size_t>(k)];
            cells[m] = 0;
            int column = layout_.ColumnOf(m);
            minColumn = std::min(minColumn, column);
            maxColumn = std::max(maxColumn, column);
        }
        bool emptied = false;
        for (int c = minColumn; c <= maxColumn; ++c) {
            unsigned char* column = cells + layout_.Index(c, 0);
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
                    std::memcpy(cells + layout_.Index(to, 0), cells + layout_.Index(c, 0), static_cast<std::size_t>(h));
                    std::memset(cells + layout_.Index(c, 0), 0, static_cast<std::size_t>(h));
                    b.height[static_cast<std::size_t>(to)] = h;
                    b.height[static_cast<std::size_t>(c)] = 0;
                }
                ++to;
            }
            b.columns = to;
        }
        b.score += RemovalPoints(n);
        int kind = Road ? 1 : (value & CellTileMask);
        b.counts.count[kind] -= n;
        b.counts.rest -= n;
        return n;
    }

private:
    FastLayout layout_;
    // The cells a flood has seen are marked with its stamp, so that nothing
    // is cleared between floods.
    std::vector<int> seen_;
    int stamp_ = 0;
    std::vector<int> stack_;
    std::vector<int> members_;   // the cells of the last flood that collected them

    void NextStamp()
    {
        if (++stamp_ == 0) {
            std::fill(seen_.begin(), seen_.end(), 0);
            stamp_ = 1;
        }
    }

    int Flood(const unsigned char* cells, int start, bool collect)
    {
        const int S = layout_.S;
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
            if (!Road) {
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
            // Up is one cell higher in the column, right one column on.
            unsigned char a = cells[i];
            if ((a & RoadUp) && (cells[i + 1] & RoadDown) && seen[i + 1] != stamp) {
                seen[i + 1] = stamp;
                stack[depth++] = i + 1;
            }
            if ((a & RoadDown) && (cells[i - 1] & RoadUp) && seen[i - 1] != stamp) {
                seen[i - 1] = stamp;
                stack[depth++] = i - 1;
            }
            if ((a & RoadRight) && (cells[i + S] & RoadLeft) && seen[i + S] != stamp) {
                seen[i + S] = stamp;
                stack[depth++] = i + S;
            }
            if ((a & RoadLeft) && (cells[i - S] & RoadRight) && seen[i - S] != stamp) {
                seen[i - S] = stamp;
                stack[depth++] = i - S;
            }
        }
        return size;
    }
};
