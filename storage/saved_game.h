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
};

// The file's text: CR LF line ends, one line of hex digits per row.
std::string FormatSavedGame(const SavedGame& game);

enum class SavedGameStatus { Ok, TooShort, Invalid };

// Reads a saved game's text. TooShort: the file ends before its first row
// (nothing changes); Invalid: not a sheet this program can hold.
SavedGameStatus ParseSavedGame(const std::string& text, SavedGame* game);

// Rebuilds the Board from the saved game the current game came from.
void LoadGame();
