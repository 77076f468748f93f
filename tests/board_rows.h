// Boards written as rows of hexadecimal digits, top row first, for the tests of
// the rules, the search and the game.
#pragma once

#include <string>
#include <vector>

#include "rules/board.h"
#include "rules/deal.h"

inline Board BoardOfRows(const std::vector<std::string>& rows)
{
    Board b;
    ResizeCells(b, static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int r = 0; r < b.rows; ++r)
        for (int c = 0; c < b.columns; ++c)
            SetCell(b, c, r, static_cast<unsigned char>(std::stoi(rows[r].substr(c, 1), nullptr, 16)));
    return b;
}

// Marked Cells show as "M".
inline std::vector<std::string> RowsOf(const Board& b)
{
    std::vector<std::string> out;
    for (int r = 0; r < b.rows; ++r) {
        std::string line;
        for (int c = 0; c < b.columns; ++c) {
            unsigned char cell = CellAt(b, c, r);
            line += cell >= CellMarkBit ? 'M' : "0123456789abcdef"[cell & 15];
        }
        out.push_back(line);
    }
    return out;
}

inline Board DealtBoard(int columns, int rows, GameMode mode, int kinds, int number)
{
    Board b;
    ResizeCells(b, columns, rows);
    DealGame(b, mode, kinds, number);
    return b;
}
