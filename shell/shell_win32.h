// The Win32 program's shared handles and the shell's entry points.
#pragma once

#include <windows.h>

extern HINSTANCE appInstance;
extern HWND mainWindow;

// Window procedure of the main window: decodes messages into calls of their owners.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The one way the program ends: releases everything and posts the quit message.
void Shutdown();

// The modal About box.
void RunAboutBox(HWND owner);
