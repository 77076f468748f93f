// libFuzzer target: the .bmp reader, the tile-set loader and the canvas fed arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "display/bitmap.h"
#include "display/canvas.h"
#include "display/tile_set.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bitmap picture;
    const bool read = ReadBitmap(data, size, &picture);
    if (read) {
        // The reader keeps exactly the rows the picture needs, and its edges
        // (the first and last bytes of those rows) read within them.
        const int width = picture.width;
        const int height = picture.height < 0 ? -picture.height : picture.height;
        if (picture.rows.size() != BitmapStride(picture) * static_cast<std::size_t>(height))
            std::abort();
        std::uint32_t sum = 0;
        for (int x = 0; x < width && x < 16; ++x)
            sum += BitmapPixel(picture, x, 0) + BitmapPixel(picture, width - 1 - x, height - 1);
        sum += BitmapPixel(picture, width - 1, 0) + BitmapPixel(picture, 0, height - 1);
        (void)sum;
    }

    // A picture of no tile-set size gives the built-in set, as no file does;
    // the loader need not read it a second time to find that out.
    TileSetShape shape;
    const bool tileSetSize = read && ClassifyTileSet(picture.width, picture.height, &shape);
    static std::vector<std::uint32_t> pixels(CanvasWidth * CanvasHeight);
    TileCanvas canvas;
    canvas.pixels = pixels.data();
    TileSet set;
    TileSetInfo info;
    int cellNo = 5;
    bool option = false;
    LoadTileSet(set, info, read && !tileSetSize ? nullptr : data, size, Bitmap(), &cellNo, &option);
    if (!set.builtIn) {
        const int blankCell = size > 0 ? data[size - 1] * 10 : 0;
        PaintTileSetIntoCanvas(canvas, set, info.kind, 16, blankCell, Bitmap());
    }
    return 0;
}
