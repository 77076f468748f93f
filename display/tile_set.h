// The tile set: the loaded tile picture, its kind by pixel size, and the SetTag.
// What the game needs of it (kind, frames, PingPong) goes into a TileSetInfo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "display/bitmap.h"
#include "game/board.h"

// Kinds of tile picture are recognised by exact pixel size (the TileSet...
// values of the game core); a tall animated set is one more, handled as
// TileSetAnimated32 once loaded.
constexpr int TileSetTallAnimated32 = 5;

// How a picture of a recognised size is laid out.
struct TileSetShape {
    int kind = TileSetNone;   // 1..5
    int frameSize = 0;        // side of one frame in the picture
    int frameCount = 0;       // frames per animation band (animated kinds)
    int cellNoLimit = 0;      // the largest CellNo the set can show
};

// Classifies a picture by its width and height; false when the size is not
// one of the five kinds (also for top-down pictures, whose height is negative).
bool ClassifyTileSet(int width, int height, TileSetShape* shape);

struct TileSet {
    Bitmap picture;
    bool loaded = false;      // a picture (file or built-in) is in use
    bool builtIn = false;     // the built-in plain picture
    int frameSize = 0;
    bool hasPalette = false;  // the picture has exactly 256 colour-table entries
    std::string bitmapPath;   // the Bitmap setting as last applied
};

// The program's one tile set.
extern TileSet tileSet;

// The SetTag flags.
constexpr std::uint8_t SetTagSkipFirstFrame = 0x80;  // AnimBMPOption on
constexpr std::uint8_t SetTagPingPong = 0x40;

// Reads the SetTag from the top-right frame of a 32-pixel-frame picture;
// false when the tag text is not there. *flags gets byte 9 of the tag.
bool ReadSetTag(const Bitmap& picture, std::uint8_t* flags);

// Loads the tile set from the bytes of a .bmp file, or from none (file null),
// falling back to the built-in plain picture when the file is unreadable or
// of no recognised size, and describes it in info (a tall animated set as an
// animated 32 one). Lowers or sets *cellNo for the new kind, and lets a
// SetTag set *animBMPOption and PingPong. The bitmap path is left as it was.
void LoadTileSet(TileSet& set, TileSetInfo& info, const std::uint8_t* file, std::size_t fileSize,
                 const Bitmap& builtIn, int* cellNo, bool* animBMPOption);

// What applying the Bitmap setting does once the new set is loaded.
struct BitmapOutcome {
    bool newGame = false;       // deal a new game (else repaint and keep playing)
    bool resetCellNo = false;   // the road set was left: CellNo goes back to 5
};

// oldKind is the kind before loading (TileSetNone before the first load).
BitmapOutcome BitmapChangeOutcome(int oldKind, int newKind);
