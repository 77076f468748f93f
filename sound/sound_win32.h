// The Win32 side of the sounds and the music: the platform calls, the Select
// Sound dialog and its folder browser.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// Fills in the sound platform; the music's completion notices go to notifyWindow.
void InstallSoundPlatform(HWND notifyWindow);

// The "Select Sound..." button: pauses the music and runs the Select Sound
// dialog, which resumes it when it closes. True after OK.
bool RunSelectSound(HWND owner);

// The folder browser over owner, starting at soundFolder: fills answer (of
// size bytes) with the chosen folder on OK (true), with soundFolder on Cancel.
bool RunFolderBrowser(HWND owner, std::string* soundFolder, char* answer, std::size_t size);
