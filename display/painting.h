// What board painting draws where: cell squares, the board frame, the bar legend.
#pragma once

#include "display/canvas.h"
#include "display/layout.h"

// The board frame: a sunken 1-pixel outline just outside the cells.
CanvasRect BoardFrameRect(int boardTop, int columns, int rows, int ts);

// The window square of cell (column, row).
CanvasRect CellPlace(int column, int row, int ts, int boardTop);

// The cells a paint request for the update rectangle must redraw: columns
// firstColumn..endColumn − 1 and rows firstRow..endRow − 1.
struct CellRange {
    int firstColumn = 0;
    int endColumn = 0;
    int firstRow = 0;
    int endRow = 0;
};
CellRange PaintCellRange(int left, int top, int right, int bottom, int ts, int boardTop, int columns, int rows);

// One picture of the bar legend: copied from `source` to (x, y) unscaled, with
// a raised outline drawn around it.
struct LegendPicture {
    CanvasRect source;
    int x = 0;
    int y = 0;
    CanvasRect outline;
};

// The legend strip (the rectangle filled with the button face first) and the
// pictures on it, in drawing order; returns how many (at most 7).
struct Legend {
    CanvasRect strip;
    LegendPicture pictures[ScoreBarFields];
    int count = 0;
};
Legend BarLegend(int kind, int cellNo, const int edges[ScoreBarFields], int boardTop, int rows, int ts,
                 int clientWidth);
