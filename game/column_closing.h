// Where the columns' tiles go when empty columns close towards column 0.
#pragma once

// A column left empty by the closing.
const int ClosedColumn = -1;

// Works out on the bottom row, as moving the columns one after the other
// would, where each column from `first` to `last` takes its tiles from: each
// column whose bottom cell is empty takes the whole of the next column to
// its right whose bottom cell holds a tile. source[k] is that column, k
// itself for a column that keeps its tiles, or ClosedColumn. Every source
// lies right of its column, so a row may be rewritten from the left in place.
void PlanColumnClosing(const unsigned char* bottomRow, int first, int last, int* source);
