// Saved game files: their text, written and read.
#include "storage/saved_game.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "storage/files.h"
#include "storage/paths.h"
#include "storage/sheet.h"

static const char Digits[] = "0123456789abcdef";

std::string FormatSavedGame(const SavedGame& game)
{
    std::string text = game.bitmapPath.empty() ? std::string(NoBitmapPath) : game.bitmapPath;
    char number[512];
    std::snprintf(number, sizeof number, "\r\n%d\r\n%.0f\r\n", game.tileSize, game.score);
    text += number;
    for (int row = 0; row < game.rows; ++row) {
        for (int column = 0; column < game.columns; ++column) {
            std::size_t index = static_cast<std::size_t>(row) * game.columns + column;
            unsigned char cell = index < game.cells.size() ? game.cells[index] : 0;
            text += Digits[cell & 0x0F];
        }
        text += "\r\n";
    }
    return text;
}

// The whole number at the start of a line, as the C library's atoi reads it,
// held to the range of an int.
static int LeadingInt(const std::string& line)
{
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '-' || line[i] == '+'))
        negative = line[i++] == '-';
    long long value = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        value = value * 10 + (line[i] - '0');
        if (value > 2147483648LL)
            value = 2147483648LL;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        value = 2147483647LL;
    return static_cast<int>(value);
}

static int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

SavedGameStatus ParseSavedGame(const std::string& text, SavedGame* game)
{
    // Line 4 decides the width; no sheet has more rows than the tallest Board.
    const std::size_t maxLines = 3 + static_cast<std::size_t>(MaxRows);
    std::vector<std::string> lines = SplitLines(text, maxLines);
    if (lines.size() > maxLines)
        return SavedGameStatus::Invalid;
    if (lines.size() < 4)
        return SavedGameStatus::TooShort;

    SavedGame read;
    read.bitmapPath = lines[0];
    if (read.bitmapPath.size() >= TextBufferSize || read.bitmapPath.find('\0') != std::string::npos)
        return SavedGameStatus::Invalid;
    read.tileSize = RoundTileSize(LeadingInt(lines[1]));
    read.score = LeadingDecimal(lines[2].c_str());
    read.columns = static_cast<int>(std::min<std::size_t>(lines[3].size(), BoardMaxWidth + 1));
    read.rows = static_cast<int>(lines.size() - 3);
    if (read.tileSize * read.columns < BoardMinWidth || read.tileSize * read.columns > BoardMaxWidth ||
        read.tileSize * read.rows < BoardMinHeight || read.tileSize * read.rows > BoardMaxHeight)
        return SavedGameStatus::Invalid;

    read.cells.reserve(static_cast<std::size_t>(read.columns) * read.rows);
    for (std::size_t line = 3; line < lines.size(); ++line) {
        if (lines[line].size() != static_cast<std::size_t>(read.columns))
            return SavedGameStatus::Invalid;
        for (char c : lines[line]) {
            int value = HexValue(c);
            if (value < 0)
                return SavedGameStatus::Invalid;
            if (value > read.largestValue)
                read.largestValue = value;
            read.cells.push_back(static_cast<unsigned char>(value));
        }
    }
    *game = read;
    return SavedGameStatus::Ok;
}

std::string FirstFreeSaveName(const std::string& folder)
{
    for (int number = 1;; ++number) {
        std::string name = folder + "save" + std::to_string(number) + ".tgw";
        if (FileIsAbsent(name) || number == 2147483647)
            return name;
    }
}

std::string ForceTgwExtension(const std::string& path)
{
    return ReplaceExtension(path, ".tgw");
}
