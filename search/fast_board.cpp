// Laying a position out on the search's board.
#include "search/fast_board.h"

FastLayout::FastLayout(int columns, int rows) : C(columns), R(rows), S(rows + 2)
{
    columnOf_.resize(static_cast<std::size_t>((columns + 2) * S));
    for (std::size_t i = 0; i < columnOf_.size(); ++i)
        columnOf_[i] = static_cast<short>(static_cast<int>(i) / S - 1);
}

bool FastLayout::Load(const SolvePosition& p, FastBoard* b) const
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
    return true;
}
