// The Win32 program's shared handles and the shell's entry points.
#pragma once

#include <windows.h>

// The program's instance and its main window, made once at start-up.
HINSTANCE AppInstance();
HWND MainWindow();

// Window procedure of the main window: decodes messages into calls of their owners.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The one way the program ends: releases everything and posts the quit message.
void Shutdown();

// True once the shutdown has run: the board and the drawing objects are gone.
bool HasShutDown();

// Starts a search's worker thread below the window's priority, so that on a
// machine with one core the search only takes the time the window leaves.
// False when no thread could be made.
bool StartSearchThread(LPTHREAD_START_ROUTINE routine, void* job);

// The modal About box.
void RunAboutBox(HWND owner);

// The Help command and F1: the contents of Hanabo.hlp in the WinHelp viewer,
// or, on a system without one, Hanabo.htm in the default browser.
void OpenHelp(HWND owner);

// The modal Configuration dialog (the Config command): 1 after OK, 0 after Cancel.
int RunConfigDialog(HWND owner);

// While a modal dialog is open over the main window, the game's message boxes
// and file choices belong to it (null: to the main window again).
void SetBoxOwner(HWND owner);

// The move slider dialog: opened on a right click on the toolbar or the score
// bar, or a click into the click counter box.
void OpenMoveSlider();

// The window timer that drives the animations of animated tile sets.
const UINT_PTR AnimationTimerId = 1;
