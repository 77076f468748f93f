// The sound events: which wave file sounds for which event, where that file is
// found, and the switch that silences them all.
#pragma once

#include <string>

#include "game/front_end.h"

const int SoundEventCount = 8;

// Finds the wave file for a bare file name: in folder (which ends with a
// backslash) first, then in the Windows directory's "\media\" folder. False
// when the name is empty or neither holds it.
bool FindSoundFile(const char* folder, const char* name, std::string* path);

// Plays the file assigned to the event from the SoundFolder, when the Sound
// switch is on. Never reports a failure.
void PlayEventSound(SoundEvent event);

// Plays a bare file name from folder (or the media folder), whatever the Sound
// switch says: the Select Sound dialog's TEST.
void PlaySoundFrom(const char* folder, const char* name);

// Ctrl+M: switches every event sound on or off.
void ToggleSound();

// The rows of the Select Sound dialog: each event's label, padded to a fixed
// width and ended by a tab, then its file name.
const std::size_t SoundRowLabelLength = 17;
std::string SoundRowText(int event, const std::string& file);
// The file name a row holds: everything after its label (empty for a bare label).
std::string SoundRowFile(const std::string& row);
