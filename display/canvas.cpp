// The TileCanvas: the off-screen picture from which every board picture is copied.
#include "display/canvas.h"

#include <cstdlib>

void FillCanvas(TileCanvas& canvas, std::uint32_t colour)
{
    for (int i = 0; i < CanvasWidth * CanvasHeight; ++i)
        canvas.pixels[i] = colour;
}

bool StretchToCanvas(TileCanvas& canvas, const Bitmap& picture, CanvasRect source, CanvasRect target)
{
    const int pictureHeight = std::abs(picture.height);
    if (source.width <= 0 || source.height <= 0 || source.x < 0 || source.y < 0 ||
        source.x > picture.width - source.width || source.y > pictureHeight - source.height)
        return false;
    if (target.width <= 0 || target.height <= 0)
        return true;
    // Shrinking averages k × k samples per target pixel, spread evenly over
    // the source pixels it covers; enlarging takes the nearest pixel.
    const int kx = (source.width + target.width - 1) / target.width;
    const int ky = (source.height + target.height - 1) / target.height;
    const long long spanX = 2LL * target.width * kx;
    const long long spanY = 2LL * target.height * ky;
    for (int dy = 0; dy < target.height; ++dy) {
        const int y = target.y + dy;
        if (y < 0 || y >= CanvasHeight)
            continue;
        for (int dx = 0; dx < target.width; ++dx) {
            const int x = target.x + dx;
            if (x < 0 || x >= CanvasWidth)
                continue;
            unsigned red = 0, green = 0, blue = 0;
            for (int j = 0; j < ky; ++j) {
                const int sy = source.y + static_cast<int>(((2LL * (dy * ky + j) + 1) * source.height) / spanY);
                for (int i = 0; i < kx; ++i) {
                    const int sx = source.x + static_cast<int>(((2LL * (dx * kx + i) + 1) * source.width) / spanX);
                    const std::uint32_t c = BitmapPixel(picture, sx, sy);
                    red += (c >> 16) & 0xFF;
                    green += (c >> 8) & 0xFF;
                    blue += c & 0xFF;
                }
            }
            const unsigned n = static_cast<unsigned>(kx * ky);
            canvas.pixels[y * CanvasWidth + x] =
                ((red + n / 2) / n) << 16 | ((green + n / 2) / n) << 8 | ((blue + n / 2) / n);
        }
    }
    return true;
}

CanvasRect FrameRect(const TileSet& set, int band, int frame)
{
    CanvasRect r;
    r.x = frame * set.frameSize;
    r.y = band * set.frameSize;
    r.width = set.frameSize;
    r.height = set.frameSize;
    return r;
}

static void DrawLegendIcons(TileCanvas& canvas, const TileSet& set, int kind)
{
    const int icon = LegendIconSize;
    switch (kind) {
    case TileSetPlain:
        StretchToCanvas(canvas, set.picture, CanvasRect{32, 0, 160, 32}, CanvasRect{0, LegendIconsTop, 5 * icon, icon});
        break;
    case TileSetRoad:
        StretchToCanvas(canvas, set.picture, FrameRect(set, 1, 7), CanvasRect{0, LegendIconsTop, icon, icon});
        break;
    case TileSetAnimated24:
        for (int t = 1; t <= 5; ++t)
            StretchToCanvas(canvas, set.picture, FrameRect(set, 3 * t - 1, 0),
                            CanvasRect{(t - 1) * icon, LegendIconsTop, icon, icon});
        break;
    case TileSetAnimated32:
        for (int t = 1; t <= 5; ++t)
            StretchToCanvas(canvas, set.picture, FrameRect(set, 2 * t - 1, 0),
                            CanvasRect{(t - 1) * icon, LegendIconsTop, icon, icon});
        break;
    default:
        break;
    }
}

void BuildTilePictures(TileCanvas& canvas, const TileSet& set, int kind, int ts, int blankCell)
{
    switch (kind) {
    case TileSetAnimated24:
        for (int n = 0; n <= 5; ++n)
            StretchToCanvas(canvas, set.picture, FrameRect(set, n == 0 ? 0 : 3 * n - 2, 0), CanvasRect{n * ts, 0, ts, ts});
        break;
    case TileSetAnimated32:
        if (blankCell >= 0)
            StretchToCanvas(canvas, set.picture, FrameRect(set, BlankCellBand(blankCell), BlankCellFrame(blankCell)), CanvasRect{0, 0, ts, ts});
        for (int t = 1; t <= 5; ++t)
            StretchToCanvas(canvas, set.picture, FrameRect(set, 2 * t - 1, 0), CanvasRect{t * ts, 0, ts, ts});
        break;
    case TileSetPlain:
    case TileSetRoad:
        StretchToCanvas(canvas, set.picture, CanvasRect{0, 0, set.picture.width, set.picture.height},
                        CanvasRect{0, 0, set.picture.width * ts / 32, set.picture.height * ts / 32});
        break;
    default:
        break;
    }
}

void PaintTileSetIntoCanvas(TileCanvas& canvas, const TileSet& set, int kind, int ts, int blankCell, const Bitmap& barIcons)
{
    DrawLegendIcons(canvas, set, kind);
    if (kind == TileSetAnimated32)
        StretchToCanvas(canvas, set.picture, FrameRect(set, 0, set.picture.width / 32 - 1), CanvasRect{0, 0, 32, 32});
    BuildTilePictures(canvas, set, kind, ts, blankCell);
    StretchToCanvas(canvas, barIcons, CanvasRect{0, 0, BarIconsWidth, BarIconsHeight},
                    CanvasRect{0, BarIconsTop, BarIconsWidth, BarIconsHeight});
}

CanvasRect CellSource(int kind, int value, int ts)
{
    const bool marked = value >= 32;
    switch (kind) {
    case TileSetRoad:
        if (marked)
            return CanvasRect{(value % 8) * ts, (2 + (value % 16) / 8) * ts, ts, ts};
        return CanvasRect{(value % 8) * ts, (value / 8) * ts, ts, ts};
    case TileSetAnimated24:
    case TileSetAnimated32:
        if (marked)
            return AnimationSlot(ts);
        return CanvasRect{value * ts, 0, ts, ts};
    default:
        if (marked)
            return CanvasRect{(value % 16) * ts, ts, ts, ts};
        return CanvasRect{value * ts, 0, ts, ts};
    }
}

CanvasRect AnimationSlot(int ts) { return CanvasRect{0, ts, ts, ts}; }

CanvasRect LegendIconSource(int i) { return CanvasRect{LegendIconSize * i, LegendIconsTop, LegendIconSize, LegendIconSize}; }

CanvasRect HandIconSource() { return CanvasRect{0, BarIconsTop, 20, 20}; }

CanvasRect ScoreLabelSource() { return CanvasRect{20, BarIconsTop, 40, 20}; }
