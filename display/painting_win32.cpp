// Board painting on Win32: the TileCanvas and the back buffer, the palette, and the cells, frame and legend.
#include "display/painting_win32.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "display/canvas.h"
#include "display/layout.h"
#include "display/painting.h"
#include "display/tile_set.h"
#include "game/board.h"
#include "game/keyboard.h"
#include "game/scoring.h"
#include "resources/resource.h"
#include "storage/settings.h"

PaintLayout paintLayout;

// The board as the window shows it, in board pixels (the cell at column c,
// row r at c x ts, r x ts). Cells are drawn into it by copying pixels, and
// the part that changed goes to the window in one copy: drawing cell by cell
// into the window costs a device context per cell, too slow for groups that
// cover a large sheet.
struct BackBuffer {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    std::uint32_t* pixels = nullptr;
    RECT changed = {0, 0, 0, 0};   // board pixels not yet copied to the window
};

// Everything the display draws with, made at start-up.
struct Drawing {
    HWND window = nullptr;
    HDC canvasDc = nullptr;
    HBITMAP canvasBitmap = nullptr;
    HGDIOBJ canvasOldBitmap = nullptr;
    TileCanvas canvas;
    HBRUSH faceBrush = nullptr;
    HPEN darkPen = nullptr;
    HPEN lightPen = nullptr;
    HPALETTE palette = nullptr;
    HPALETTE defaultPalette = nullptr;   // the window's own, kept the first time ours replaces it
    bool defaultPaletteKept = false;
    Bitmap builtInTiles;
    Bitmap barIcons;
    BackBuffer back;
};
static Drawing drawing;

static void CreateBackBuffer(HDC windowDc)
{
    BackBuffer& back = drawing.back;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = BoardMaxWidth;
    info.bmiHeader.biHeight = -BoardMaxHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    back.bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    back.dc = CreateCompatibleDC(windowDc);
    if (!back.bitmap || !back.dc || !bits)
        return;
    back.oldBitmap = SelectObject(back.dc, back.bitmap);
    back.pixels = static_cast<std::uint32_t*>(bits);
    SetRectEmpty(&back.changed);
}

static void DestroyBackBuffer()
{
    BackBuffer& back = drawing.back;
    if (back.dc) {
        if (back.oldBitmap)
            SelectObject(back.dc, back.oldBitmap);
        DeleteDC(back.dc);
    }
    if (back.bitmap)
        DeleteObject(back.bitmap);
    back = BackBuffer();
}

// The button-face colour as a canvas pixel (0x00RRGGBB).
static std::uint32_t FacePixel()
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return (static_cast<std::uint32_t>(GetRValue(face)) << 16) | (GetGValue(face) << 8) | GetBValue(face);
}

// A bitmap resource of the program: a packed picture without file header.
static void LoadPictureResource(int id, Bitmap* picture)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_BITMAP));
    if (!found)
        return;
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes)
        ReadBitmap(static_cast<const std::uint8_t*>(bytes), SizeofResource(nullptr, found), picture);
}

bool CreateTileCanvas(HWND window)
{
    drawing.window = window;
    HDC windowDc = GetDC(window);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = CanvasWidth;
    info.bmiHeader.biHeight = -CanvasHeight;  // top row first, as the portable canvas counts
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    drawing.canvasBitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    drawing.canvasDc = CreateCompatibleDC(windowDc);
    CreateBackBuffer(windowDc);
    ReleaseDC(window, windowDc);
    if (!drawing.canvasBitmap || !drawing.canvasDc || !bits || !drawing.back.pixels) {
        DestroyTileCanvas();
        return false;
    }
    drawing.canvasOldBitmap = SelectObject(drawing.canvasDc, drawing.canvasBitmap);
    drawing.canvas.pixels = static_cast<std::uint32_t*>(bits);
    FillCanvas(drawing.canvas, FacePixel());
    drawing.faceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    drawing.darkPen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    drawing.lightPen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    LoadPictureResource(IDB_TILES, &drawing.builtInTiles);
    LoadPictureResource(IDB_BARICONS, &drawing.barIcons);
    return true;
}

// Puts the window's own palette back and deletes ours.
static void DropPalette()
{
    if (!drawing.palette)
        return;
    if (drawing.defaultPaletteKept) {
        HDC windowDc = GetDC(drawing.window);
        SelectPalette(windowDc, drawing.defaultPalette, TRUE);
        RealizePalette(windowDc);
        ReleaseDC(drawing.window, windowDc);
        if (drawing.canvasDc)
            SelectPalette(drawing.canvasDc, drawing.defaultPalette, TRUE);
    }
    DeleteObject(drawing.palette);
    drawing.palette = nullptr;
}

void DestroyTileCanvas()
{
    DropPalette();
    DestroyBackBuffer();
    if (drawing.canvasDc) {
        if (drawing.canvasOldBitmap)
            SelectObject(drawing.canvasDc, drawing.canvasOldBitmap);
        DeleteDC(drawing.canvasDc);
    }
    if (drawing.canvasBitmap)
        DeleteObject(drawing.canvasBitmap);
    if (drawing.faceBrush)
        DeleteObject(drawing.faceBrush);
    if (drawing.darkPen)
        DeleteObject(drawing.darkPen);
    if (drawing.lightPen)
        DeleteObject(drawing.lightPen);
    HWND window = drawing.window;
    drawing = Drawing();
    drawing.window = window;
    tileSet = TileSet();
}

// The 256-colour palette of the picture's colour table, selected and realised
// in the window and in the canvas.
static void MakePalette()
{
    struct {
        WORD version;
        WORD entries;
        PALETTEENTRY entry[256];
    } table;
    table.version = 0x300;
    table.entries = 256;
    for (int i = 0; i < 256; ++i) {
        table.entry[i].peRed = tileSet.picture.colours[i][2];
        table.entry[i].peGreen = tileSet.picture.colours[i][1];
        table.entry[i].peBlue = tileSet.picture.colours[i][0];
        table.entry[i].peFlags = tileSet.picture.colours[i][3];
    }
    drawing.palette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&table));
    if (!drawing.palette)
        return;
    HDC windowDc = GetDC(drawing.window);
    HPALETTE previous = SelectPalette(windowDc, drawing.palette, FALSE);
    if (!drawing.defaultPaletteKept) {
        drawing.defaultPalette = previous;
        drawing.defaultPaletteKept = true;
    }
    RealizePalette(windowDc);
    ReleaseDC(drawing.window, windowDc);
    SelectPalette(drawing.canvasDc, drawing.palette, FALSE);
    RealizePalette(drawing.canvasDc);
}

void RealisePalette()
{
    if (!drawing.palette)
        return;
    HDC windowDc = GetDC(drawing.window);
    SelectPalette(windowDc, drawing.palette, FALSE);
    RealizePalette(windowDc);
    ReleaseDC(drawing.window, windowDc);
}

void LoadTileSetIntoCanvas(const std::uint8_t* file, std::size_t size)
{
    DropPalette();
    bool option = settings.AnimBMPOption != 0;
    int cellNo = settings.CellNo;
    LoadTileSet(tileSet, tileSetInfo, file, size, drawing.builtInTiles, &cellNo, &option);
    settings.CellNo = static_cast<signed char>(cellNo);
    settings.AnimBMPOption = option ? 1 : 0;
    if (tileSet.hasPalette)
        MakePalette();
    GdiFlush();
    PaintTileSetIntoCanvas(drawing.canvas, tileSet, tileSetInfo.kind, board.ts, settings.BlankCell, drawing.barIcons);
}

void RebuildTilePictures()
{
    if (!tileSet.loaded || !drawing.canvas.pixels)
        return;
    GdiFlush();
    BuildTilePictures(drawing.canvas, tileSet, tileSetInfo.kind, board.ts, settings.BlankCell);
}

bool StretchFrameToAnimationSlot(int band, int frame)
{
    if (!tileSet.loaded || !drawing.canvas.pixels)
        return false;
    GdiFlush();
    return StretchToCanvas(drawing.canvas, tileSet.picture, FrameRect(tileSet, band, frame), AnimationSlot(board.ts));
}

static bool CanPaint()
{
    return tileSet.loaded && drawing.canvasDc && drawing.back.pixels && tileSetInfo.kind >= TileSetPlain &&
           tileSetInfo.kind <= TileSetAnimated32 && !board.cells.empty();
}

// The keyboard's cursor: a white ring inside a black one along the edge of
// the Cell, each a sixteenth of the tile wide (one pixel on the small tiles,
// where the smallest shows the white ring alone), so that it shows on every
// tile set and at every tile size.
static void FrameCursor(int x, int y, int width, int height)
{
    const int ring = board.ts >= 16 ? board.ts / 16 : 1;
    const int black = board.ts >= 8 ? ring : 0;
    for (int line = 0; line < height; ++line) {
        std::uint32_t* row = drawing.back.pixels + static_cast<std::size_t>(y + line) * BoardMaxWidth + x;
        for (int i = 0; i < width; ++i) {
            int edge = std::min(std::min(i, width - 1 - i), std::min(line, height - 1 - line));
            if (edge < black)
                row[i] = 0x000000;
            else if (edge < black + ring)
                row[i] = 0xFFFFFF;
        }
    }
}

// Copies the picture of Cell (column, row) from the canvas into the back
// buffer and notes the square as changed.
static void CopyCell(int column, int row)
{
    const CanvasRect source = CellSource(tileSetInfo.kind, CellAt(column, row), board.ts);
    const int x = column * board.ts;
    const int y = row * board.ts;
    int width = source.width;
    int height = source.height;
    if (source.x < 0 || source.y < 0 || x < 0 || y < 0)
        return;
    if (width > CanvasWidth - source.x)
        width = CanvasWidth - source.x;
    if (width > BoardMaxWidth - x)
        width = BoardMaxWidth - x;
    if (height > CanvasHeight - source.y)
        height = CanvasHeight - source.y;
    if (height > BoardMaxHeight - y)
        height = BoardMaxHeight - y;
    if (width <= 0 || height <= 0)
        return;
    if (IsRectEmpty(&drawing.back.changed))
        GdiFlush();  // the canvas and the buffer are read and written directly
    for (int line = 0; line < height; ++line)
        std::memcpy(drawing.back.pixels + static_cast<std::size_t>(y + line) * BoardMaxWidth + x,
                    drawing.canvas.pixels + static_cast<std::size_t>(source.y + line) * CanvasWidth + source.x,
                    static_cast<std::size_t>(width) * sizeof(std::uint32_t));
    if (CursorAt(column, row))
        FrameCursor(x, y, width, height);
    const RECT square = {x, y, x + width, y + height};
    UnionRect(&drawing.back.changed, &drawing.back.changed, &square);
}

// Copies the board pixels of `area` from the back buffer to the window.
static void CopyToWindow(HDC dc, const RECT& area)
{
    BitBlt(dc, BoardLeft + area.left, paintLayout.boardTop + area.top, area.right - area.left, area.bottom - area.top,
           drawing.back.dc, area.left, area.top, SRCCOPY);
}

void ShowDrawnCells()
{
    if (IsRectEmpty(&drawing.back.changed) || !drawing.back.dc)
        return;
    HDC dc = GetDC(drawing.window);
    CopyToWindow(dc, drawing.back.changed);
    ReleaseDC(drawing.window, dc);
    SetRectEmpty(&drawing.back.changed);
}

void DrawBoardCell(int column, int row)
{
    if (!CanPaint() || !IsOnBoard(column, row))
        return;
    CopyCell(column, row);
}

void RedrawBoard()
{
    if (!CanPaint())
        return;
    // Plain and animated sets show no stale highlight after a full redraw; a
    // road set keeps its highlighted group.
    if (tileSetInfo.kind != TileSetRoad)
        for (unsigned char& cell : board.cells)
            cell &= CellTileMask;
    for (int column = 0; column < board.columns; ++column)
        for (int row = 0; row < board.rows; ++row)
            CopyCell(column, row);
    ShowDrawnCells();
}

// Outline style 1 is raised (light left and top), style 2 sunken.
static void DrawOutline(HDC dc, int x, int y, int width, int height, int style)
{
    HPEN first = style == 1 ? drawing.lightPen : drawing.darkPen;
    HPEN second = style == 1 ? drawing.darkPen : drawing.lightPen;
    HGDIOBJ previous = SelectObject(dc, first);
    MoveToEx(dc, x, y + height, nullptr);
    LineTo(dc, x, y);
    LineTo(dc, x + width, y);
    SelectObject(dc, second);
    LineTo(dc, x + width, y + height);
    LineTo(dc, x, y + height);
    SelectObject(dc, previous);
}

static void DrawFrameOn(HDC dc)
{
    const CanvasRect frame = BoardFrameRect(paintLayout.boardTop, board.columns, board.rows, board.ts);
    DrawOutline(dc, frame.x, frame.y, frame.width, frame.height, 2);
}

static void DrawLegendOn(HDC dc)
{
    if (settings.ScoreBar == 0 || !tileSet.loaded)
        return;
    RECT client;
    GetClientRect(drawing.window, &client);
    const Legend legend = BarLegend(tileSetInfo.kind, settings.CellNo, paintLayout.edges, paintLayout.boardTop, board.rows,
                                    board.ts, client.right - client.left);
    RECT strip = {legend.strip.x, legend.strip.y, legend.strip.x + legend.strip.width,
                  legend.strip.y + legend.strip.height};
    FillRect(dc, &strip, drawing.faceBrush);
    for (int i = 0; i < legend.count; ++i) {
        const LegendPicture& picture = legend.pictures[i];
        BitBlt(dc, picture.x, picture.y, picture.source.width, picture.source.height, drawing.canvasDc,
               picture.source.x, picture.source.y, SRCCOPY);
        DrawOutline(dc, picture.outline.x, picture.outline.y, picture.outline.width, picture.outline.height, 1);
    }
}

void DrawBoardFrame()
{
    if (!drawing.darkPen)
        return;
    HDC dc = GetDC(drawing.window);
    DrawFrameOn(dc);
    ReleaseDC(drawing.window, dc);
}

void DrawBarLegend()
{
    if (!drawing.canvasDc)
        return;
    HDC dc = GetDC(drawing.window);
    DrawLegendOn(dc);
    ReleaseDC(drawing.window, dc);
}

void FullRepaint()
{
    if (!tileSet.loaded)
        return;
    RealisePalette();
    DrawBoardFrame();
    DrawBarLegend();
    RedrawBoard();
    ShowScoreBar();
}

void PaintBoardRequest(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (!tileSet.loaded || !drawing.canvasDc) {
        EndPaint(window, &paint);
        return;
    }
    DrawFrameOn(dc);
    DrawLegendOn(dc);
    if (CanPaint()) {
        const CellRange range = PaintCellRange(paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right,
                                               paint.rcPaint.bottom, board.ts, paintLayout.boardTop, board.columns,
                                               board.rows);
        for (int column = range.firstColumn; column < range.endColumn; ++column)
            for (int row = range.firstRow; row < range.endRow; ++row)
                CopyCell(column, row);
        const RECT area = {range.firstColumn * board.ts, range.firstRow * board.ts, range.endColumn * board.ts,
                           range.endRow * board.ts};
        if (!IsRectEmpty(&area))
            CopyToWindow(dc, area);
        // What was drawn before and lies inside the painted cells is on the screen now.
        RECT outside;
        if (SubtractRect(&outside, &drawing.back.changed, &area))
            drawing.back.changed = outside;
        else
            SetRectEmpty(&drawing.back.changed);
    }
    EndPaint(window, &paint);
    ShowClickCounter();
}
