// Background music: one MIDI file, the MusicFile, looped through the MCI
// sequencer while the BGM switch is on. Every operation does nothing when no
// MusicFile is set.
#pragma once

// Opens the device and plays from the beginning. On failure the BGM switch
// goes off and the player is told.
void StartMusic();

// Closes the device.
void StopMusic();

// Pauses the music if it plays (the window is minimised, Select Sound opens).
void PauseMusic();

// Goes on from where it was paused, if it was.
void ResumeMusic();

// The device's completion notice: a piece that ran to its end starts again.
void OnMusicNotice();

// Ctrl+B: switches the music off, or asks for a MIDI file and plays it.
void ToggleMusic();

// Asks for a MIDI file, starting at the MusicFile; true when one was chosen,
// which is then the MusicFile. Plays nothing.
bool ChooseMusicFile();

// After this many replays in a row that each ended at once, the loop gives up.
const int QuickEndLimit = 3;
// A play that ends within this many milliseconds of being asked for ended at once.
const unsigned long QuickEndMs = 250;
