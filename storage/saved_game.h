// Saved game files (.tgw): the tile picture, the tile size, the score and the cells.
#pragma once

#include <string>
#include <vector>

// The contents of a saved game file.
struct SavedGame {
    std::string bitmapPath;             // "(null)" when the built-in tiles are in use
    int tileSize = 32;
    double score = 0;
    int columns = 0;
    int rows = 0;
    std::vector<unsigned char> cells;   // row after row, tile values 0 to 15
    int largestValue = 0;               // the largest tile value among the cells
};

// The file's text: CR LF line ends, one line of hex digits per row.
std::string FormatSavedGame(const SavedGame& game);

enum class SavedGameStatus { Ok, TooShort, Invalid };

// Reads a saved game's text. TooShort: the file ends before its first row
// (Open refuses it before anything changes); Invalid: not a sheet this program can hold, that is rows
// of other characters than 0-9 and a-f, rows of unequal length, or a size in
// pixels outside the Board's limits. On anything but Ok *game is unchanged.
// The tile size comes back raised to an allowed size.
SavedGameStatus ParseSavedGame(const std::string& text, SavedGame* game);

// The Save dialog's proposal: "save%d.tgw" in the folder with the smallest
// number from 1 up for which no file exists.
std::string FirstFreeSaveName(const std::string& folder);

// Replaces the extension of the file name part of a path by ".tgw".
std::string ForceTgwExtension(const std::string& path);
