// Helpers of the game core's tests: fresh game state, boards written as rows
// of hexadecimal digits, and playing the way a player does.
#pragma once

#include <string>
#include <vector>

#include "game/board.h"
#include "game/deal.h"
#include "game/groups.h"
#include "tests/fake_front_end.h"
#include "game/session.h"
#include "game/pointer.h"
#include "game/removal.h"
#include "storage/settings.h"
#include "tests/board_rows.h"

// A fresh game on an empty Board of the given size, without records.
inline void FreshGame(int columns, int rows, int tileSetKind = TileSetPlain, int cellNo = 5, int ts = 32)
{
    static GameState blank;
    game = blank;
    ui = UiState();
    settings = Settings();
    tileSetInfo = TileSetInfo();
    tileSetInfo.kind = tileSetKind;
    settings.CellNo = tileSetKind == TileSetRoad ? RoadTileValues : cellNo;
    game.keepRecords = false;
    board.ts = ts;
    ResizeBoard(columns, rows);
    recentNumbers = RecentNumbers();
    ResetFakeFrontEnd();
}

// Fills the Board from rows of hex digits, top row first, and counts the tiles.
inline void SetRows(const std::vector<std::string>& rows)
{
    ResizeBoard(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    board.cells = BoardOfRows(rows).cells;
    CountTiles();
}

inline std::vector<std::string> Rows() { return RowsOf(board); }

// A game of this number on the default sheet, started as New would start it.
inline void DealNumber(int number, int columns = 16, int rows = 12, int tileSetKind = TileSetPlain)
{
    FreshGame(columns, rows, tileSetKind);
    game.number = number;
    StartGame(true, false);
}

// The player hovers over a Cell and releases the button there.
inline void PlayAt(int column, int row)
{
    HoverAt(column * board.ts, row * board.ts, 0);
    ClickAt(column * board.ts, row * board.ts);
}

// The first Cell, from the bottom-left up and then rightwards, that belongs
// to a removable group.
inline bool FirstGroup(int* column, int* row)
{
    for (int c = 0; c < board.columns; ++c)
        for (int r = board.rows - 1; r >= 0 && CellAt(c, r) != 0; --r) {
            const unsigned char v = CellAt(c, r);
            if ((r > 0 && TilesConnect(CurrentMode(), v, CellAt(c, r - 1), RoadUp)) ||
                (c + 1 < board.columns && TilesConnect(CurrentMode(), v, CellAt(c + 1, r), RoadRight)) ||
                (r + 1 < board.rows && TilesConnect(CurrentMode(), v, CellAt(c, r + 1), RoadDown)) ||
                (c > 0 && TilesConnect(CurrentMode(), v, CellAt(c - 1, r), RoadLeft))) {
                *column = c;
                *row = r;
                return true;
            }
        }
    return false;
}

// Plays up to n moves at the first group; returns how many were made.
inline int PlayFirstGroups(int n)
{
    int made = 0;
    int c = 0;
    int r = 0;
    while (made < n && !game.gameOver && FirstGroup(&c, &r)) {
        PlayAt(c, r);
        ++made;
    }
    return made;
}
