// Applying the Bitmap setting: reading the tile picture file, and what a new
// set means for the game in progress.
#include "display/painting_win32.h"

#include <vector>

#include "display/tile_set.h"
#include "game/board.h"
#include "game/deal.h"
#include "game/session.h"
#include "storage/settings.h"

// A tile picture file larger than this is not read (the largest picture we
// accept, 32768 frames wide at 32 bits a pixel, stays well below it).
static const DWORD MaxPictureFileSize = 128u * 1024u * 1024u;

// The whole file, when it exists and is of a size we read.
static bool ReadPictureFile(const char* path, std::vector<std::uint8_t>* bytes)
{
    if (path == nullptr || path[0] == '\0')
        return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    bool ok = size != INVALID_FILE_SIZE && high == 0 && size <= MaxPictureFileSize;
    if (ok) {
        bytes->resize(size);
        DWORD read = 0;
        ok = size == 0 || (ReadFile(file, bytes->data(), size, &read, nullptr) && read == size);
    }
    CloseHandle(file);
    return ok;
}

void ApplyBitmapSetting(const char* path)
{
    tileSet.bitmapPath = path ? path : "";
    const int oldKind = tileSet.loaded ? tileSetInfo.kind : TileSetNone;
    std::vector<std::uint8_t> bytes;
    const bool haveFile = ReadPictureFile(tileSet.bitmapPath.c_str(), &bytes);
    LoadTileSetIntoCanvas(haveFile ? bytes.data() : nullptr, bytes.size());
    const BitmapOutcome outcome = BitmapChangeOutcome(oldKind, tileSetInfo.kind);
    if (!outcome.newGame) {
        FullRepaint();
        UpdateTitle();
        return;
    }
    if (outcome.resetCellNo)
        settings.CellNo = MaxTileKinds;
    DrawBoardFrame();
    DrawBarLegend();
    StartGame(false, false);
}
