// The client area as board painting leaves it, drawn in memory: for checking screenshots.
#include "display/board_picture.h"

#include "display/painting.h"

static const std::uint32_t DarkPen = 0x000000;
static const std::uint32_t LightPen = 0xFFFFFF;

static void Plot(ClientPicture* picture, int x, int y, std::uint32_t colour)
{
    if (x >= 0 && y >= 0 && x < picture->width && y < picture->height)
        picture->pixels[static_cast<std::size_t>(y) * picture->width + x] = colour;
}

// A horizontal or vertical line from (x0, y0) towards (x1, y1), leaving out
// the end point as the platform's LineTo does.
static void Line(ClientPicture* picture, int x0, int y0, int x1, int y1, std::uint32_t colour)
{
    const int dx = x1 > x0 ? 1 : (x1 < x0 ? -1 : 0);
    const int dy = y1 > y0 ? 1 : (y1 < y0 ? -1 : 0);
    for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy)
        Plot(picture, x, y, colour);
}

// Style 1 raised, style 2 sunken, as Draw outline draws them.
static void Outline(ClientPicture* picture, CanvasRect r, int style)
{
    const std::uint32_t first = style == 1 ? LightPen : DarkPen;
    const std::uint32_t second = style == 1 ? DarkPen : LightPen;
    Line(picture, r.x, r.y + r.height, r.x, r.y, first);
    Line(picture, r.x, r.y, r.x + r.width, r.y, first);
    Line(picture, r.x + r.width, r.y, r.x + r.width, r.y + r.height, second);
    Line(picture, r.x + r.width, r.y + r.height, r.x, r.y + r.height, second);
}

static void Copy(const TileCanvas& canvas, CanvasRect source, int x, int y, ClientPicture* picture)
{
    for (int j = 0; j < source.height; ++j)
        for (int i = 0; i < source.width; ++i) {
            const int sx = source.x + i, sy = source.y + j;
            if (sx >= 0 && sy >= 0 && sx < CanvasWidth && sy < CanvasHeight)
                Plot(picture, x + i, y + j, canvas.pixels[sy * CanvasWidth + sx]);
        }
}

void RenderClientArea(const TileCanvas& canvas, const BoardView& view, int clientWidth, int clientHeight,
                      ClientPicture* picture)
{
    picture->width = clientWidth > 0 ? clientWidth : 0;
    picture->height = clientHeight > 0 ? clientHeight : 0;
    picture->pixels.assign(static_cast<std::size_t>(picture->width) * picture->height, view.face);
    Outline(picture, BoardFrameRect(view.boardTop, view.columns, view.rows, view.ts), 2);
    if (view.scoreBar) {
        const Legend legend =
            BarLegend(view.kind, view.cellNo, view.edges, view.boardTop, view.rows, view.ts, clientWidth);
        for (int y = legend.strip.y; y < legend.strip.y + legend.strip.height; ++y)
            for (int x = legend.strip.x; x < legend.strip.x + legend.strip.width; ++x)
                Plot(picture, x, y, view.face);
        for (int i = 0; i < legend.count; ++i) {
            Copy(canvas, legend.pictures[i].source, legend.pictures[i].x, legend.pictures[i].y, picture);
            Outline(picture, legend.pictures[i].outline, 1);
        }
    }
    if (view.cells == nullptr)
        return;
    for (int column = 0; column < view.columns; ++column)
        for (int row = 0; row < view.rows; ++row) {
            const unsigned char value = view.cells[static_cast<std::size_t>(row) * view.columns + column];
            const CanvasRect place = CellPlace(column, row, view.ts, view.boardTop);
            Copy(canvas, CellSource(view.kind, value, view.ts), place.x, place.y, picture);
        }
}
