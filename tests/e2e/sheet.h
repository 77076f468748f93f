// Boards as hanabo-tool writes them (saved-game text), read back for choosing
// moves: groups, the largest one, and lone tiles.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct Sheet {
    int columns = 0;
    int rows = 0;
    std::vector<int> cells;  // row after row, tile values 0 to 15

    int At(int column, int row) const { return cells[static_cast<std::size_t>(row) * columns + column]; }
    int& At(int column, int row) { return cells[static_cast<std::size_t>(row) * columns + column]; }
    int Count(int value) const;
};

// A move: the clicked cell and the size of its group.
struct Move {
    int column = -1;
    int row = -1;
    int size = 0;
};

// The rows of a saved game's text; an empty Sheet when there are none.
Sheet ParseSheet(const std::string& savedGame);

// The cells of the IroGame group at (column, row), the cell itself first.
std::vector<Move> GroupAt(const Sheet& sheet, int column, int row);

// The largest group (the first found from the top left when several are
// equal); size below 2 when no group is left.
Move LargestGroup(const Sheet& sheet);

// Removes the group at (column, row): the tiles above fall and empty columns
// close towards the left.
void RemoveGroupAt(Sheet& sheet, int column, int row);

// A tile with no equal neighbour, or column -1 when there is none.
Move LoneTile(const Sheet& sheet);

// "C,R", as hanabo-tool reads a move.
std::string MoveText(const Move& move);

// N of a title "IroGame #N" (or of the first "#N" in it); 0 without one.
int GameNumberOfTitle(const std::string& title);
