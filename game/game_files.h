// Save and Open of saved games, through the shared file dialog.
#pragma once

#include <string>

#include "storage/file_choice.h"

// Shows the open-file or save-file dialog for a prepared choice; true with
// the chosen path, false when cancelled.
bool ShowFileChoice(const FileChoice& choice, bool save, std::string* path);

// Save: asks for a file and writes the sheet in front of the player.
void SaveGame();

// Open: asks for a saved game; true when one was chosen (the caller then
// starts the game again keeping the number, which ends in LoadGame).
bool ChooseGameFile();
