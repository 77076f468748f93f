// libFuzzer target: the .bmp reader, the tile-set loader and the canvas fed arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "display/bitmap.h"
#include "display/canvas.h"
#include "display/tile_set.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bitmap picture;
    if (ReadBitmap(data, size, &picture)) {
        // every pixel the reader accepted must be readable
        const int height = picture.height < 0 ? -picture.height : picture.height;
        std::uint32_t sum = 0;
        for (int y = 0; y < height && y < 64; ++y)
            for (int x = 0; x < picture.width && x < 64; ++x)
                sum += BitmapPixel(picture, x, y);
        (void)sum;
    }
    static std::vector<std::uint32_t> pixels(CanvasWidth * CanvasHeight);
    TileCanvas canvas;
    canvas.pixels = pixels.data();
    TileSet set;
    int cellNo = 5;
    bool option = false;
    LoadTileSet(set, data, size, Bitmap(), &cellNo, &option);
    if (!set.builtIn) {
        const int blankCell = size > 0 ? data[size - 1] * 10 : 0;
        PaintTileSetIntoCanvas(canvas, set, 16, blankCell, Bitmap());
    }
    return 0;
}
