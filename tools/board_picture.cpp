// board-picture: draws the client area that the game paints for a saved board, as a .bmp,
// so that screenshots of the real program can be checked against it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "display/board_picture.h"
#include "display/canvas.h"
#include "display/layout.h"
#include "display/tile_set.h"
#include "storage/saved_game.h"

static const char Usage[] =
    "usage: board-picture GAME.tgw OUT.bmp BUILTIN_TILES.bmp BAR_ICONS.bmp [options]\n"
    "  --tiles FILE      the tile picture (default: the built-in tiles)\n"
    "  --cellno N        CellNo before the tile set is loaded (default 5)\n"
    "  --blank-cell N    BlankCell (default 0)\n"
    "  --toolbar H       toolbar height; 0 when the toolbar is off (default 0)\n"
    "  --score-bar H     score bar height; 0 when the score bar is off (default 0)\n"
    "  --window-width W  window width for the score-bar parts (default client width + 6)\n"
    "  --face RRGGBB     button-face colour in hex (default C0C0C0)\n"
    "Writes the client area: board frame, cells and, with the score bar on, the legend.\n";

static bool ReadWhole(const char* path, std::vector<std::uint8_t>* bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

static void PutLe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

static bool WriteBmp(const char* path, const ClientPicture& picture)
{
    const std::uint32_t stride = (24 * picture.width + 31) / 32 * 4;
    const std::uint32_t size = stride * picture.height;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    PutLe(out, 54 + size, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, picture.width, 4);
    PutLe(out, picture.height, 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);
    PutLe(out, size, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = picture.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t c = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            row[3 * x] = static_cast<std::uint8_t>(c);
            row[3 * x + 1] = static_cast<std::uint8_t>(c >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(c >> 16);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr)
        return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

static bool NumberArgument(const char* text, int low, int high, int* value, int base = 10)
{
    char* end = nullptr;
    const long long v = std::strtoll(text, &end, base);
    if (end == text || *end != '\0' || v < low || v > high)
        return false;
    *value = static_cast<int>(v);
    return true;
}

static int Fail(const char* why)
{
    std::fprintf(stderr, "board-picture: %s\n%s", why, Usage);
    return 2;
}

int main(int argc, char** argv)
{
    if (argc < 5)
        return Fail("missing arguments");
    const char* tilesPath = nullptr;
    int cellNo = 5, blankCell = 0, toolbar = 0, scoreBar = 0, windowWidth = -1, face = 0xC0C0C0;
    for (int i = 5; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        const char* option = argv[i];
        const char* value = hasValue ? argv[i + 1] : "";
        bool ok = hasValue;
        if (std::strcmp(option, "--tiles") == 0)
            tilesPath = value;
        else if (std::strcmp(option, "--cellno") == 0)
            ok = ok && NumberArgument(value, 1, 15, &cellNo);
        else if (std::strcmp(option, "--blank-cell") == 0)
            ok = ok && NumberArgument(value, 0, 9999, &blankCell);
        else if (std::strcmp(option, "--toolbar") == 0)
            ok = ok && NumberArgument(value, 0, 200, &toolbar);
        else if (std::strcmp(option, "--score-bar") == 0)
            ok = ok && NumberArgument(value, 0, 200, &scoreBar);
        else if (std::strcmp(option, "--window-width") == 0)
            ok = ok && NumberArgument(value, 0, 10000, &windowWidth);
        else if (std::strcmp(option, "--face") == 0)
            ok = ok && NumberArgument(value, 0, 0xFFFFFF, &face, 16);
        else
            ok = false;
        if (!ok)
            return Fail("bad option");
        ++i;
    }

    std::vector<std::uint8_t> text, builtInBytes, barBytes, tileBytes;
    if (!ReadWhole(argv[1], &text))
        return Fail("cannot read the saved game");
    SavedGame saved;
    if (ParseSavedGame(std::string(text.begin(), text.end()), &saved) != SavedGameStatus::Ok)
        return Fail("not a saved game");
    Bitmap builtIn, barIcons;
    if (!ReadWhole(argv[3], &builtInBytes) || !ReadBitmap(builtInBytes.data(), builtInBytes.size(), &builtIn))
        return Fail("cannot read the built-in tiles");
    if (!ReadWhole(argv[4], &barBytes) || !ReadBitmap(barBytes.data(), barBytes.size(), &barIcons))
        return Fail("cannot read the bar icons");
    const bool haveTiles = tilesPath != nullptr && ReadWhole(tilesPath, &tileBytes);

    TileSet set;
    TileSetInfo info;
    bool animBMPOption = false;
    LoadTileSet(set, info, haveTiles ? tileBytes.data() : nullptr, tileBytes.size(), builtIn, &cellNo, &animBMPOption);
    std::vector<std::uint32_t> pixels(CanvasWidth * CanvasHeight);
    TileCanvas canvas;
    canvas.pixels = pixels.data();
    FillCanvas(canvas, static_cast<std::uint32_t>(face));
    PaintTileSetIntoCanvas(canvas, set, info.kind, saved.tileSize, blankCell, barIcons);

    Bars bars;
    bars.toolBar = toolbar > 0;
    bars.toolBarHeight = toolbar;
    bars.scoreBar = scoreBar > 0;
    bars.scoreBarHeight = scoreBar;
    const LayoutSize client = ClientSize(saved.columns, saved.rows, saved.tileSize, bars);
    BoardView view;
    view.kind = info.kind;
    view.cellNo = cellNo;
    view.cells = saved.cells.data();
    view.columns = saved.columns;
    view.rows = saved.rows;
    view.ts = saved.tileSize;
    view.boardTop = BoardTop(bars);
    view.scoreBar = bars.scoreBar;
    view.face = static_cast<std::uint32_t>(face);
    ScoreBarEdges(windowWidth >= 0 ? windowWidth : client.width + 6, view.edges);
    ClientPicture picture;
    RenderClientArea(canvas, view, client.width, client.height, &picture);
    if (!WriteBmp(argv[2], picture)) {
        std::fprintf(stderr, "board-picture: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
