// What board painting draws where: cell squares, the board frame, the bar legend.
#include "display/painting.h"

CanvasRect BoardFrameRect(int boardTop, int columns, int rows, int ts)
{
    return CanvasRect{BoardLeft - 1, boardTop - 1, columns * ts + 1, rows * ts + 1};
}

CanvasRect CellPlace(int column, int row, int ts, int boardTop)
{
    return CanvasRect{BoardLeft + column * ts, boardTop + row * ts, ts, ts};
}

CellRange PaintCellRange(int left, int top, int right, int bottom, int ts, int boardTop, int columns, int rows)
{
    CellRange range;
    range.firstColumn = left / ts - 1;
    if (range.firstColumn < 0)
        range.firstColumn = 0;
    range.endColumn = right / ts + 2;
    if (range.endColumn > columns)
        range.endColumn = columns;
    range.firstRow = (top - boardTop) / ts - 1;
    if (range.firstRow < 0)
        range.firstRow = 0;
    range.endRow = (bottom - boardTop) / ts + 2;
    if (range.endRow > rows)
        range.endRow = rows;
    return range;
}

static void Add(Legend& legend, CanvasRect source, int x, int y)
{
    LegendPicture& picture = legend.pictures[legend.count++];
    picture.source = source;
    picture.x = x;
    picture.y = y;
    picture.outline = CanvasRect{x - 1, y - 1, source.width + 1, source.height + 1};
}

Legend BarLegend(int kind, int cellNo, const int edges[ScoreBarFields], int boardTop, int rows, int ts,
                 int clientWidth)
{
    Legend legend;
    const int y0 = boardTop + rows * ts + 4;
    legend.strip = CanvasRect{0, y0 - 1, clientWidth, LegendStripHeight};
    if (kind == TileSetRoad) {
        Add(legend, LegendIconSource(0), 4, y0);
    } else {
        const int icons = cellNo < 0 ? 0 : (cellNo > 5 ? 5 : cellNo);
        for (int i = 0; i < icons; ++i)
            Add(legend, LegendIconSource(i), i == 0 ? 4 : edges[i - 1] + 4, y0);
    }
    Add(legend, HandIconSource(), edges[4] + 4, y0);
    Add(legend, ScoreLabelSource(), edges[5] + 4, y0);
    return legend;
}
