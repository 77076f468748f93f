// Drives the real Hanabo32 program under Wine as a player would: starts it in a
// fresh working directory, finds its windows, reads their texts, sends input,
// takes screenshots and collects the exit code and the files it left.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

struct RunningProgram {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;     // the main window, class "Hanabo32"
    std::string directory;     // its working directory, ending in a backslash
    std::string exe;           // the program to start; empty: HANABO_EXE
};

// The waits hold on a machine twice as slow and busy as the one they were
// written on; they end as soon as what they wait for is there.
const DWORD ProgramStartWait = 60000;
const DWORD WindowWait = 10000;

// A new, empty working directory for one program run, in the temporary folder
// or in parent (a Windows path ending in a backslash); its name ends in
// suffix.
std::string MakeWorkDirectory(const std::string& suffix = "", const std::string& parent = "");

// Starts Hanabo32.exe in directory and waits for its main window (false on
// timeout). The mouse pointer is moved out of the window's way first.
bool StartProgram(RunningProgram& program, const std::string& directory);

// The two halves of StartProgram: the process alone, then the wait for its
// visible main window (which a message box at start-up holds back).
bool LaunchProgram(RunningProgram& program, const std::string& directory);
bool WaitForMainWindow(RunningProgram& program);

// Waits for the process to end; its exit code, or -1 when it did not end in time
// (the process is then killed).
long WaitForExit(RunningProgram& program, DWORD timeoutMs = 2 * WindowWait);

// Ends the program if it still runs and closes the handles.
void StopProgram(RunningProgram& program);

// Top-level windows of class className (any class when null) owned by a process
// (any process when processId is 0).
std::vector<HWND> TopLevelWindows(const char* className, DWORD processId = 0);

std::string WindowText(HWND window);

// Real keyboard input to the foreground window: the keys go down in order and up
// in reverse order, e.g. {VK_CONTROL, 'X'}.
void PressKeys(HWND window, std::vector<WORD> keys);

// Types text as the keyboard would, character by character, into the
// foreground window (characters that no key gives, such as Japanese, too).
void TypeText(const std::wstring& text);

// The text of part `part` of a status bar (the score bar) in another process.
std::string StatusBarText(HWND bar, int part);

// The first child window of the given class (and control id, unless -1).
HWND FindChild(HWND parent, const char* className, int id = -1);

// Mouse messages in client coordinates of the main window.
void PostMouseMove(HWND window, int x, int y, WPARAM keys = 0);
void PostLeftClick(HWND window, int x, int y);
void PostRightClick(HWND window, int x, int y);

// Waits for a visible top-level window of className in the program's process
// (in any process for a RunningProgram that was never started).
HWND WaitForWindow(const RunningProgram& program, const char* className, DWORD timeoutMs = WindowWait);

// The same for a visible dialog of the program with this caption.
HWND WaitForDialog(const RunningProgram& program, const std::string& caption, DWORD timeoutMs = WindowWait);

// Waits until a window is gone (at most timeoutMs); whether it is.
bool WaitUntilClosed(HWND window, DWORD timeoutMs = WindowWait);

// The texts of a list box's or combo box's entries (LB_GETCOUNT and
// LB_GETTEXT, or CB_GETCOUNT and CB_GETLBTEXT), in Shift-JIS.
std::vector<std::string> ListTexts(HWND control, UINT countMessage, UINT textMessage);

// Lets the program handle what was sent to it.
void Settle(HWND window, DWORD ms = 200);

// The pixels of a rectangle of the screen, 0x00RRGGBB, top row first.
std::vector<std::uint32_t> ScreenPixels(const RECT& rect);

// Saves the window as it is on the screen to a 24-bit .bmp file.
bool SaveScreenshot(HWND window, const std::string& path);
// The same for a rectangle of the screen.
bool SaveScreenRect(const RECT& rect, const std::string& path);

// The folder of Hanabo32.exe, ending in a backslash: the build puts the
// shipped tile sets, sounds, music and help, and board-picture.exe, beside it.
std::string ProgramFolder();

// Where screenshots go; the test script converts them for people to look at.
std::string ArtifactPath(const std::string& name);

// Runs a program with the arguments and the text as its standard input; its
// standard output, and its exit code in *exitCode when given (-1 when it did
// not start).
std::string RunProgram(const std::string& exe, const std::string& arguments, const std::string& input = "",
                       long* exitCode = nullptr);

// The same for hanabo-tool.exe.
std::string RunTool(const std::string& arguments, const std::string& input = "", long* exitCode = nullptr);

// The whole content of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Sends a message and waits until it has been handled (at most timeoutMs);
// the window procedure's result, or 0 on timeout.
LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = WindowWait);

// The window that has the keyboard focus in the thread of this window.
HWND GetFocusOf(HWND window);

// The text of a control in another process (WM_GETTEXT, which also reaches
// edit boxes; GetWindowText does not ask another process's window).
std::string ControlText(HWND control);

// A toolbar button's rectangle in screen coordinates (TB_GETRECT by command
// id); an empty rectangle when there is no such button.
RECT ToolbarButtonRect(HWND toolbar, int command);

// Moves the real mouse pointer to a screen position, as a player's hand does.
void MovePointer(int x, int y);

// Moves the real pointer there and clicks the left button.
void ClickPointer(int x, int y);

// Sends a control of another process a message whose answer the control
// writes into memory lent in its process; copies size bytes of that to out.
// The message's result, 0 when it could not be sent.
LRESULT SendForRemoteData(HWND control, UINT message, WPARAM wParam, void* out, SIZE_T size);

// Every text of a dialog's controls, each followed by "|".
std::string DialogTexts(HWND dialog);

// Waits until a control's text reads expected (at most timeoutMs); the text
// it reads then.
std::string WaitForText(HWND control, const std::string& expected, DWORD timeoutMs = WindowWait);

// The message box the program shows (within WindowWait): its text and
// caption, then it is answered with OK. Empty texts when none came.
struct MessageBoxTexts {
    std::string text;
    std::string caption;
};
MessageBoxTexts AnswerMessageBox(const RunningProgram& program);

// The edit box of a file dialog that holds the file name.
HWND FileNameBox(HWND dialog);
// The text of a tree-view item in another process.
std::string TreeItemText(HWND tree, HTREEITEM item);

// A list-box item's rectangle in screen coordinates.
RECT ListItemRect(HWND list, int index);

// Clicks the middle of a control with the real pointer.
void ClickControl(HWND control);
