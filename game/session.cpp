// The start and the end of a game.
#include "game/session.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "game/board.h"
#include "game/deal.h"
#include "game/front_end.h"
#include "game/results.h"
#include "game/scoring.h"
#include "game/statistics.h"
#include "storage/files.h"
#include "storage/saved_game.h"
#include "storage/settings.h"

static const char RetryQuestion[] =
    "\x93\xaf\x82\xb6\x96\xca\x82\xc5\x82\xe2\x82\xe8\x92\xbc\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48"; // 同じ面でやり直しますか？
const char InvalidSavedGameText[] =
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

void DealBoard(bool keepNumber)
{
    StopTimer();
    ui.animState = AnimState::Idle;
    game.score = 0;
    if (!keepNumber) {
        game.loadedFile.clear();
        if (game.campaign)
            game.number = static_cast<int>(static_cast<std::uint32_t>(game.number) + 1u);
        else
            game.number = ChooseNewNumber();
    }
    SeedForGame(static_cast<std::int32_t>(static_cast<std::uint32_t>(game.number) +
                                          static_cast<std::uint32_t>(settings.CampaignTane)));
    if (!game.loadedFile.empty())
        LoadGame();
    else
        DealCells();
    UpdateTitle();
}

void StartGame(bool keepNumber, bool keepHistory)
{
    // The same board again is a replay of the same game.
    if (!keepHistory)
        BeginGameTally();
    ui.selection.minColumn = ui.selection.minRow = 0;
    ui.selection.maxColumn = ui.selection.maxRow = 0;
    if (keepHistory)
        game.moveCount = game.moveCount > game.moveIndex ? game.moveCount : game.moveIndex;
    else
        game.moveCount = 0;
    EnableCommand(GameCommand::Redo, keepHistory && game.moveCount >= 1);
    game.moveIndex = 0;
    DealBoard(keepNumber);
    game.gameOver = false;
    game.redoing = false;
    game.replaying = false;
    RepaintBoard();
    ShowScoreBar();
    ShowClickCounter();
    PlaySoundEvent(SoundEvent::Start);
    if (game.keepRecords)
        LoadRecords();
}

static int CellNoLimit() { return tileSetInfo.cellNoLimit > 0 ? tileSetInfo.cellNoLimit : MaxTileKinds; }

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
        Complain(InvalidSavedGameText);
        StartGame(false, false);
        return;
    }

    if (!game.replaying)
        tileSetInfo.kind = sheet.largestValue > MaxTileKinds ? TileSetRoad : TileSetPlain;
    int largest = sheet.largestValue < 3 ? 3 : sheet.largestValue;
    ResizeBoard(sheet.columns, sheet.rows);
    board.cells = sheet.cells;
    CountTiles();
    settings.CellNo = std::min(CellNoLimit(), largest);
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
    settings.CellNo = std::min(CellNoLimit(), static_cast<int>(settings.CellNo));
    SizeWindowToBoard();
    RepaintBoard();
    ShowScoreBar();
}

void EndGame()
{
    int rest = TilesLeft();
    if (settings.ScoreOption)
        game.score -= rest;
    if (CountGameEnd(false, rest == 0, game.score, rest) && game.keepRecords)
        RecordGameResult(game.score, rest);
}

void AskRetry()
{
    PlaySoundEvent(SoundEvent::Message);
    if (AskYesNo(RetryQuestion)) {
        // After Undo back to the deal there is no last move to drop.
        if (game.moveIndex > 0)
            --game.moveIndex;
        game.moveCount = game.moveIndex;
        StartGame(true, true);
    } else {
        StartGame(false, false);
    }
}
