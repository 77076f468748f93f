// Saved game files: the file's text, the Save and Open commands and LoadGame.
#include "storage/saved_game.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/tile_set.h"
#include "game/board.h"
#include "game/deal.h"
#include "game/front_end.h"
#include "game/scoring.h"
#include "shell/program_directory.h"
#include "storage/file_choice.h"
#include "storage/files.h"
#include "storage/paths.h"
#include "storage/records.h"
#include "storage/settings.h"

// The Board's limits in pixels.
static const int MinBoardWidth = 256;
static const int MaxBoardWidth = 960;
static const int MinBoardHeight = 192;
static const int MaxBoardHeight = 640;

static const char NoBitmap[] = "(null)";
static const char Digits[] = "0123456789abcdef";

std::string FormatSavedGame(const SavedGame& game)
{
    std::string text = game.bitmapPath.empty() ? std::string(NoBitmap) : game.bitmapPath;
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

// The decimal number at the start of a line (sign, digits, fraction,
// exponent); nothing that reads as a number gives 0, and so does a value
// too large to hold.
static double LeadingDouble(const std::string& line)
{
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    std::string number;
    for (; i < line.size() && number.size() < 400; ++i) {
        char c = line[i];
        if ((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')
            number += c;
        else
            break;
    }
    double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0;
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
    const std::size_t maxLines = 3 + static_cast<std::size_t>(SavedGameMaxRows);
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
    read.score = LeadingDouble(lines[2]);
    read.columns = static_cast<int>(std::min<std::size_t>(lines[3].size(), MaxBoardWidth + 1));
    read.rows = static_cast<int>(lines.size() - 3);
    if (read.tileSize * read.columns < MinBoardWidth || read.tileSize * read.columns > MaxBoardWidth ||
        read.tileSize * read.rows < MinBoardHeight || read.tileSize * read.rows > MaxBoardHeight)
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

static const char SavedText[] = "\x53\x61\x76\x65\x8f\x49\x97\xb9";  // Save終了
static const char SaveFailedText[] = "\x53\x61\x76\x65\x8e\xb8\x94\x73";  // Save失敗
static const char InvalidFileText[] =
    "\x95\x73\x90\xb3\x82\xc8\x54\x47\x57\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xc5\x82\xb7";  // 不正なTGWファイルです
static const char NoRoadBitmapText[] =
    "\x90\xb3\x82\xb5\x82\xa2\x42\x69\x74\x6d\x61\x70\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x82\xa0\x82\xe8\x82"
    "\xdc\x82\xb9\x82\xf1";  // 正しいBitmapファイルがありません
// A tile picture name that never exists: the built-in tiles.
static const char DummyBitmap[] = "dummyfile";

static void Complain(const char* text)
{
    PlaySoundEvent(SoundEvent::Message);
    ShowMessage(text, MessageKind::Error);
}

// Writes the whole text beside the file first and lets it replace an existing
// one only when complete; false, with nothing left behind and an old file as
// it was, when it could not be written whole (a full disk) or put in place.
static bool WriteSavedGame(const std::string& path, const std::string& text)
{
    std::string tempPath = path + ".tmp";
    RewriteResult result = RewriteFile(path, tempPath, text);
    if (result == RewriteResult::NotReplaced)
        std::remove(tempPath.c_str());
    return result == RewriteResult::Rewritten;
}

void SaveGame()
{
    StopTimer();
    FileChoice choice = PrepareFileChoice(ProgramDirectory(), "TGW file", "*.tgw");
    choice.name = FirstFreeSaveName(ProgramDirectory());
    std::string path;
    if (!ShowFileChoice(choice, true, &path))
        return;
    path = ForceTgwExtension(path);

    SavedGame sheet;
    sheet.bitmapPath = settings.Bitmap.empty() ? std::string(NoBitmap) : settings.Bitmap;
    sheet.tileSize = board.ts;
    sheet.score = game.score;
    sheet.columns = board.columns;
    sheet.rows = board.rows;
    sheet.cells = board.cells;
    if (!WriteSavedGame(path, FormatSavedGame(sheet))) {
        Complain(SaveFailedText);
        return;
    }
    PlaySoundEvent(SoundEvent::Message);
    ShowMessage(SavedText, MessageKind::Notice);
}

bool ChooseGameFile()
{
    FileChoice choice = PrepareFileChoice(ProgramDirectory(), "TGW File", "*.tgw");
    std::string path;
    if (!ShowFileChoice(choice, false, &path))
        return false;
    // A file that ends before its first row holds no sheet at all: it is
    // refused here, before anything of the game in progress changes.
    std::string text;
    SavedGame sheet;
    if (ReadWholeFile(path, &text) && ParseSavedGame(text, &sheet) == SavedGameStatus::TooShort) {
        Complain(InvalidFileText);
        return false;
    }
    game.loadedFile = path;
    game.moveIndex = 0;
    game.moveCount = 0;
    return true;
}

static int CellNoLimit() { return tileSet.cellNoLimit > 0 ? tileSet.cellNoLimit : MaxTileKinds; }

void LoadGame()
{
    StopTimer();
    if (game.loadedFile.empty())
        return;
    std::string text;
    SavedGame sheet;
    // A file that has gone, cannot be read or has been cut short since it was
    // opened is refused like a broken one: the deal has already begun.
    SavedGameStatus status =
        ReadWholeFile(game.loadedFile, &text) ? ParseSavedGame(text, &sheet) : SavedGameStatus::Invalid;
    if (status != SavedGameStatus::Ok) {
        Complain(InvalidFileText);
        StartGame(false, false);
        return;
    }

    if (!game.replaying)
        game.tileSetKind = sheet.largestValue > MaxTileKinds ? TileSetRoad : TileSetPlain;
    int largest = sheet.largestValue < 3 ? 3 : sheet.largestValue;
    ResizeBoard(sheet.columns, sheet.rows);
    board.cells = sheet.cells;
    CountTiles();
    game.cellNo = std::min(CellNoLimit(), largest);
    game.score = sheet.score;
    if (game.replaying)
        return;   // a replay needs only the sheet and the score back

    board.ts = sheet.tileSize;
    int kind = ApplyTilePicture(sheet.bitmapPath.c_str());
    // Road tiles need the road set: no other set has pictures for them.
    if (kind != TileSetRoad && largest > MaxTileKinds) {
        Complain(NoRoadBitmapText);
        ApplyTilePicture(DummyBitmap);
        StartGame(false, false);
        return;
    }
    LoadRecords();
    board.ts = RoundTileSize(board.ts);
    game.cellNo = std::min(CellNoLimit(), static_cast<int>(game.cellNo));
    SizeWindowToBoard();
    RepaintBoard();
    ShowScoreBar();
}
