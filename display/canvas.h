// The TileCanvas: the off-screen picture from which every board picture is copied.
#pragma once

#include <cstdint>

#include "display/bitmap.h"
#include "display/tile_set.h"

constexpr int CanvasWidth = 512;
constexpr int CanvasHeight = 296;

// Where the bar legend and the bar icons are kept in the canvas.
constexpr int LegendIconSize = 20;
constexpr int LegendIconsTop = 256;
constexpr int BarIconsTop = 276;
constexpr int BarIconsWidth = 60;
constexpr int BarIconsHeight = 20;

struct CanvasRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

inline bool operator==(const CanvasRect& a, const CanvasRect& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The canvas pixels: CanvasWidth × CanvasHeight, top row first, each pixel
// 0x00RRGGBB (the layout of a 32-bit top-down DIB). The front end owns the memory.
struct TileCanvas {
    std::uint32_t* pixels = nullptr;
};

void FillCanvas(TileCanvas& canvas, std::uint32_t colour);

// Stretches a rectangle of the picture (y from the top) onto a canvas
// rectangle; enlarging repeats pixels, shrinking averages them. Draws nothing
// and returns false when the source does not lie wholly inside the picture.
// The target is clipped to the canvas.
bool StretchToCanvas(TileCanvas& canvas, const Bitmap& picture, CanvasRect source, CanvasRect target);

// Frame `frame` of band `band` of the tile set's picture (it may lie outside).
CanvasRect FrameRect(const TileSet& set, int band, int frame);

// The BlankCell setting of an animated 32 set names a frame of its picture:
// band BlankCell / 100, frame BlankCell % 100.
const int BlankCellBandStep = 100;
inline int BlankCellBand(int blankCell) { return blankCell / BlankCellBandStep; }
inline int BlankCellFrame(int blankCell) { return blankCell % BlankCellBandStep; }

// Fills the canvas regions for a newly loaded tile set of a kind: the legend icons, the
// SetTag frame of a 32-pixel animated set, the tile pictures at tile size ts
// and the bar icons.
void PaintTileSetIntoCanvas(TileCanvas& canvas, const TileSet& set, int kind, int ts, int blankCell, const Bitmap& barIcons);

// Redraws the tile pictures at tile size ts with the blank tile BlankCell.
void BuildTilePictures(TileCanvas& canvas, const TileSet& set, int kind, int ts, int blankCell);

// The ts × ts square of the canvas that shows a Cell of value v.
CanvasRect CellSource(int kind, int value, int ts);

// The square the animated sets play their animations in.
CanvasRect AnimationSlot(int ts);

// Sources of the bar legend: icon i (0..4), the pointing hand, the word "SCORE".
CanvasRect LegendIconSource(int i);
CanvasRect HandIconSource();
CanvasRect ScoreLabelSource();
