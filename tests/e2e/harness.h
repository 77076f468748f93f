// Drives the real Hanabo32 program under Wine as a player would: starts it in a
// fresh working directory, finds its windows, reads their texts, sends input,
// takes screenshots and collects the exit code and the files it left.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "storage/files.h"

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

// A new, empty directory in the temporary folder or in parent (a Windows path
// ending in a backslash); its name ends in suffix.
std::string MakeWorkDirectory(const std::string& suffix = "", const std::string& parent = "");

// Starts Hanabo32.exe in directory and waits for its visible main window
// (false when none came); LaunchProgram and WaitForMainWindow are its halves,
// for a start that a message box holds back.
bool StartProgram(RunningProgram& program, const std::string& directory);
bool LaunchProgram(RunningProgram& program, const std::string& directory);
bool WaitForMainWindow(RunningProgram& program);
// Waits for the process to end: its exit code, or -1 (then it is killed).
long WaitForExit(RunningProgram& program, DWORD timeoutMs = 2 * WindowWait);
// Ends the program if it still runs and closes the handles.
void StopProgram(RunningProgram& program);

// Top-level windows of class className (any when null) of a process (any when 0).
std::vector<HWND> TopLevelWindows(const char* className, DWORD processId = 0);
// A visible top-level window of className (with this caption, unless null)
// of the program (of any process for a program never started), or a dialog
// with this caption; null when none came.
HWND WaitForWindow(const RunningProgram& program, const char* className, DWORD timeoutMs = WindowWait,
                   const char* caption = nullptr);
inline HWND WaitForDialog(const RunningProgram& program, const std::string& caption, DWORD timeoutMs = WindowWait)
{
    return WaitForWindow(program, "#32770", timeoutMs, caption.c_str());
}
// Waits until a window is gone or hidden; whether it is.
bool WaitUntilClosed(HWND window, DWORD timeoutMs = WindowWait);
// Lets the program handle what was sent to it.
void Settle(HWND window, DWORD ms = 200);

// Sends a message and waits until it has been handled: the window
// procedure's result, or 0 on timeout.
LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = WindowWait);
// Sends a control of another process a message whose lParam points at data:
// size bytes copied into memory lent in its process (with `aim`, a pointer
// inside data, pointed at the copy of `target`) and copied back after. The
// message's result, 0 when it could not be sent.
LRESULT SendForRemoteData(HWND control, UINT message, WPARAM wParam, void* data, SIZE_T size, char** aim = nullptr,
                          char* target = nullptr);

std::string WindowText(HWND window);
// The text of another process's control (WM_GETTEXT reaches edit boxes too).
std::string ControlText(HWND control);
// Waits until a control's text reads expected: the text it reads then.
std::string WaitForText(HWND control, const std::string& expected, DWORD timeoutMs = WindowWait);
// Every text of a dialog's controls, each followed by "|".
std::string DialogTexts(HWND dialog);
// The entries of a list box or combo box, in Shift-JIS.
std::vector<std::string> ListTexts(HWND control, UINT countMessage, UINT textMessage);
std::string StatusBarText(HWND bar, int part);
std::string TreeItemText(HWND tree, HTREEITEM item);

// The first child window of the class (and control id, unless -1).
HWND FindChild(HWND parent, const char* className, int id = -1);
// The window that has the keyboard focus in the thread of this window.
HWND GetFocusOf(HWND window);
// A toolbar button's (by command) or a list item's rectangle on the screen.
RECT ToolbarButtonRect(HWND toolbar, int command);
RECT ListItemRect(HWND list, int index);

// Real keys to the foreground window: down in order, up in reverse order.
void PressKeys(HWND window, std::vector<WORD> keys);
// Types text character by character (Japanese too) into the foreground window.
void TypeText(const std::wstring& text);
// The real pointer: moved, clicked at a point or a rectangle's or control's
// middle, and parked in the screen's far corner, out of the way.
void MovePointer(int x, int y);
void ClickPointer(int x, int y);
void ClickRect(const RECT& rect);
void ClickControl(HWND control);
void ParkPointer();
// A left or right click posted at a window's client point.
void PostClick(HWND window, bool right, int x = 4, int y = 4);

// A dialog of the program as a player drives it: its controls by id,
// pressed with the real pointer.
struct Dialog {
    HWND window = nullptr;

    HWND Item(int id) const { return GetDlgItem(window, id); }
    std::string Text(int id) const { return ControlText(Item(id)); }
    bool Checked(int id) const { return SendWithin(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    std::vector<std::string> List(int id) const { return ListTexts(Item(id), LB_GETCOUNT, LB_GETTEXT); }
    void Press(int id) const;
    // Presses the button (Close) or posts its command (Answer): whether it closed.
    bool Close(int id) const;
    bool Answer(int id) const;
};
// The program's visible dialog with this caption, once it has settled.
Dialog OpenedDialog(const RunningProgram& program, const std::string& caption);

// The message box the program shows: its text and caption, then OK. Empty
// texts when none came.
struct MessageBoxTexts {
    std::string text;
    std::string caption;
};
MessageBoxTexts AnswerMessageBox(const RunningProgram& program);
// Runs a file dialog: its file type, then the name typed and confirmed
// (cancelled when name is empty); the name it proposed in *proposed.
std::string AnswerFileDialog(HWND chooser, const std::string& name, std::string* proposed = nullptr);

// The pixels of a rectangle of the screen, 0x00RRGGBB, top row first.
std::vector<std::uint32_t> ScreenPixels(const RECT& rect);
// Saves a window as it is on the screen as a .bmp.
bool SaveScreenshot(HWND window, const std::string& path);

// The folder of Hanabo32.exe, ending in a backslash: the build puts the
// shipped tile sets, sounds, music and help, and board-picture.exe, beside it.
std::string ProgramFolder();
// Where screenshots go; the test script converts them for people to look at.
std::string ArtifactPath(const std::string& name);
std::string Environment(const char* name);

// Runs a program (hanabo-tool.exe for RunTool) with the arguments and the
// text as its standard input: its standard output, and its exit code in
// *exitCode (-1 when it did not start).
std::string RunProgram(const std::string& exe, const std::string& arguments, const std::string& input = "",
                       long* exitCode = nullptr);
std::string RunTool(const std::string& arguments, const std::string& input = "", long* exitCode = nullptr);

// The whole content of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
