// What the search is given and gives back move by move: the position, a
// move on it and what a finished line is worth.
#pragma once

#include <vector>

// What a finished line is worth.
enum class SolveObjective {
    Score,           // the game's score: (n - 2)^2 per removal
    ScoreLessRest,   // that score less the tiles left, as the score option shows it
    FewestLeft,      // the fewest tiles left; the score breaks ties
    Standard,        // (n - 2)^2 per removal, 1000 for a cleared board, (k - 2)^2 off for each kind with k left
};

// A board to search: cells row after row from the top, 0 empty, tile values
// 1 to 15, as the game keeps them (without the highlight mark).
struct SolvePosition {
    int columns = 0;
    int rows = 0;
    bool road = false;                 // ZededUdoz: tiles join by their roads
    std::vector<unsigned char> cells;
};

// One removal: the cell to click, column from the left and row from the top.
struct SolveMove {
    int column;
    int row;
};
