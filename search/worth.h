// What a finished line is worth: the tiles it leaves by kind, weighed by the objective.
#pragma once

#include "rules/board.h"
#include "search/position.h"

// A kind is a tile value: the search takes every value the Cell's tile bits
// hold, not only the kinds the game deals.
const int Kinds = CellTileMask + 1;

// The tiles left by kind: by value, or all of them as kind 1 on roads.
struct Counts {
    int count[Kinds] = {};
    int rest = 0;
};

// The tiles among n cells (0 is empty).
Counts CountCells(const unsigned char* cells, int n, bool road);

// The worth under the objective of a line that scored `score` and left `counts`.
long long Value(SolveObjective objective, long long score, const Counts& counts);
