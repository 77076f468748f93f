// Save and Open: the shared file dialog for saved games, and writing one.
#include "game/game_files.h"

#include <cstdio>

#include "game/board.h"
#include "game/front_end.h"
#include "game/session.h"
#include "storage/files.h"
#include "storage/program_directory.h"
#include "storage/saved_game.h"
#include "storage/settings.h"

static const char SavedText[] = "\x53\x61\x76\x65\x8f\x49\x97\xb9";  // Save終了
static const char SaveFailedText[] = "\x53\x61\x76\x65\x8e\xb8\x94\x73";  // Save失敗

bool ShowFileChoice(const FileChoice& choice, bool save, std::string* path)
{
    char chosen[TextBufferSize];
    // A starting name too long for the dialog's buffer is left out.
    const char* name = choice.name.size() < sizeof chosen ? choice.name.c_str() : "";
    if (!ChooseFile(save, choice.filterName.c_str(), choice.filterPattern.c_str(), choice.folder.c_str(), name,
                    chosen, sizeof chosen))
        return false;
    chosen[sizeof chosen - 1] = '\0';
    *path = chosen;
    return true;
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
    sheet.bitmapPath = settings.Bitmap.empty() ? std::string(NoBitmapPath) : settings.Bitmap;
    sheet.tileSize = board.ts;
    sheet.score = game.score;
    sheet.columns = board.columns;
    sheet.rows = board.rows;
    sheet.cells = board.cells;
    if (!WriteSavedGame(path, FormatSavedGame(sheet))) {
        PlaySoundEvent(SoundEvent::Message);
        ShowMessage(SaveFailedText, MessageKind::Error);
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
        PlaySoundEvent(SoundEvent::Message);
        ShowMessage(InvalidSavedGameText, MessageKind::Error);
        return false;
    }
    game.loadedFile = path;
    game.moveIndex = 0;
    game.moveCount = 0;
    return true;
}

