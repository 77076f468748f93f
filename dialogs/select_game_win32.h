// The Select Game dialog: modeless, made hidden at start-up and shown by the
// Select Game command; it deals a typed or recent number and keeps the
// special numbers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Start-up: the dialog, hidden, owned by the main window.
void CreateSelectGameDialog(HINSTANCE instance, HWND owner);

// The Select Game command: stops the animation and shows the dialog over the
// top of the main window's client area.
void ShowSelectGameDialog();

// Brings the NumberBox's list up to the recent numbers of the game core when
// a new number was chosen since (the newest is then selected).
void ShowRecentNumbers();

// The SpecialNumberList as the settings file keeps it, in list order: filled
// at start-up, and read back at shutdown into entries (left as they are when
// the dialog could not be made).
void RestoreSpecialNumbers(const std::vector<std::string>& entries);
void CollectSpecialNumbers(std::vector<std::string>* entries);
