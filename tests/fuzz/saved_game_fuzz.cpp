// libFuzzer target: the saved game parser, and writing back what it accepts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "storage/saved_game.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    SavedGame game;
    if (ParseSavedGame(text, &game) != SavedGameStatus::Ok)
        return 0;
    // Only sheets a Board can hold, with values a Cell can hold.
    if (game.cells.size() != static_cast<std::size_t>(game.columns) * game.rows)
        std::abort();
    if (game.tileSize * game.columns < 256 || game.tileSize * game.columns > 960 ||
        game.tileSize * game.rows < 192 || game.tileSize * game.rows > 640)
        std::abort();
    for (unsigned char cell : game.cells)
        if (cell > 15 || cell > game.largestValue)
            std::abort();

    SavedGame again;
    if (ParseSavedGame(FormatSavedGame(game), &again) != SavedGameStatus::Ok)
        std::abort();
    std::string path = game.bitmapPath.empty() ? std::string("(null)") : game.bitmapPath;
    if (again.cells != game.cells || again.columns != game.columns || again.rows != game.rows ||
        again.tileSize != game.tileSize || again.bitmapPath != path)
        std::abort();
    return 0;
}
