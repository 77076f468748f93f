// The tile set: the loaded tile picture, its kind by pixel size, and the SetTag.
#include "display/tile_set.h"

#include <utility>

TileSet tileSet;

static const char SetTagText[] = "HANABO32";

bool ClassifyTileSet(int width, int height, TileSetShape* shape)
{
    TileSetShape found;
    if (width <= 0)
        return false;
    if (width == 192 && height == 64) {
        found.kind = TileSetPlain;
        found.frameSize = 32;
    } else if (width == 256 && height == 128) {
        found.kind = TileSetRoad;
        found.frameSize = 32;
    } else if (height == 384 && width % 24 == 0) {
        found.kind = TileSetAnimated24;
        found.frameSize = 24;
    } else if (height == 352 && width % 32 == 0) {
        found.kind = TileSetAnimated32;
        found.frameSize = 32;
    } else if (height == 672 && width % 32 == 0) {
        found.kind = TileSetTallAnimated32;
        found.frameSize = 32;
    } else {
        return false;
    }
    if (found.kind >= TileSetAnimated24)
        found.frameCount = width / found.frameSize;
    found.cellNoLimit = found.kind == TileSetRoad ? RoadTileValues : MaxTileKinds;
    *shape = found;
    return true;
}

bool ReadSetTag(const Bitmap& picture, std::uint8_t* flags)
{
    const int frameLeft = (picture.width / 32 - 1) * 32;
    if (frameLeft < 0 || picture.height < 32)
        return false;
    std::uint8_t tag[10];
    for (int k = 0; k < 10; ++k) {
        const int y = 4 * (k / 4);
        const int x0 = frameLeft + 8 * (k % 4);
        std::uint8_t byte = 0;
        for (int bit = 0; bit < 8; ++bit)
            byte = static_cast<std::uint8_t>((byte << 1) | (BitmapPixel(picture, x0 + bit, y) != 0 ? 1 : 0));
        tag[k] = byte;
    }
    for (int k = 0; k < 8; ++k)
        if (tag[k] != static_cast<std::uint8_t>(SetTagText[k]))
            return false;
    *flags = tag[9];
    return true;
}

void LoadTileSet(TileSet& set, TileSetInfo& info, const std::uint8_t* file, std::size_t fileSize,
                 const Bitmap& builtIn, int* cellNo, bool* animBMPOption)
{
    TileSetShape shape;
    Bitmap picture;
    const bool fromFile = file != nullptr && ReadBitmap(file, fileSize, &picture) &&
                          ClassifyTileSet(picture.width, picture.height, &shape);
    if (fromFile) {
        set.picture = std::move(picture);
        set.builtIn = false;
    } else {
        set.picture = builtIn;
        set.builtIn = true;
        ClassifyTileSet(192, 64, &shape);
    }
    set.loaded = true;
    info.kind = shape.kind == TileSetTallAnimated32 ? TileSetAnimated32 : shape.kind;
    set.frameSize = shape.frameSize;
    info.frameCount = shape.frameCount;
    info.cellNoLimit = shape.cellNoLimit;
    if (info.kind == TileSetRoad)
        *cellNo = RoadTileValues;
    else if (*cellNo > MaxTileKinds)
        *cellNo = MaxTileKinds;
    set.hasPalette = set.picture.colourCount == 256;
    info.pingPong = false;

    std::uint8_t flags = 0;
    if (info.kind == TileSetAnimated32 && ReadSetTag(set.picture, &flags)) {
        *animBMPOption = (flags & SetTagSkipFirstFrame) != 0;
        // A one-frame strip has nothing to play backwards (and 2 × 1 − 2
        // frames would leave the animation with none at all).
        if ((flags & SetTagPingPong) != 0 && info.frameCount > 1) {
            info.pingPong = true;
            info.frameCount = 2 * info.frameCount - 2;
        }
    }
}

BitmapOutcome BitmapChangeOutcome(int oldKind, int newKind)
{
    BitmapOutcome outcome;
    if (oldKind != TileSetNone && (oldKind == newKind || (oldKind != TileSetRoad && newKind != TileSetRoad)))
        return outcome;
    outcome.newGame = true;
    outcome.resetCellNo = oldKind == TileSetRoad;
    return outcome;
}
