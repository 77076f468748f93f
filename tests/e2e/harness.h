// Drives the real Hanabo32 program under Wine as a player would: starts it in a
// fresh working directory, finds its windows, reads their texts, sends input,
// takes screenshots and collects the exit code and the files it left.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <cstdlib>
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

inline std::string Environment(const char* name) { return std::getenv(name) ? std::getenv(name) : ""; }

// A new, empty directory in the temporary folder or in parent; its name ends in suffix.
std::string MakeWorkDirectory(const std::string& suffix = "", const std::string& parent = "");

// Starts Hanabo32.exe in directory and waits for its visible main window; in
// two halves for a start that a message box holds back.
bool LaunchProgram(RunningProgram& program, const std::string& directory);
bool WaitForMainWindow(RunningProgram& program);
inline bool StartProgram(RunningProgram& program, const std::string& directory)
{
    return LaunchProgram(program, directory) && WaitForMainWindow(program);
}
// Waits for the process to end: its exit code, or -1 (then it is killed).
long WaitForExit(RunningProgram& program, DWORD timeoutMs = 2 * WindowWait);
// Ends the program if it still runs and closes the handles.
void StopProgram(RunningProgram& program);

// Top-level windows of class className (any when null) of a process (any when 0).
std::vector<HWND> TopLevelWindows(const char* className, DWORD processId = 0);
// A visible top-level window or dialog of the program (of any process for a
// program never started); null when none came.
HWND WaitForWindow(const RunningProgram& program, const char* className, DWORD timeoutMs = WindowWait,
                   const char* caption = nullptr);
inline HWND WaitForDialog(const RunningProgram& program, const std::string& caption, DWORD timeoutMs = WindowWait)
{
    return WaitForWindow(program, "#32770", timeoutMs, caption.c_str());
}
// Waits until a window is gone or hidden; whether it is.
inline bool WaitUntilClosed(HWND window, DWORD timeoutMs = WindowWait)
{
    for (DWORD waited = 0; IsWindowVisible(window) && waited < timeoutMs; waited += 50)
        Sleep(50);
    return !IsWindowVisible(window);
}

// The result of a message once handled, or 0 on timeout.
inline LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = WindowWait)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result) ? result : 0;
}
// Lets the program handle what was sent to it.
inline void Settle(HWND window, DWORD ms = 200)
{
    SendWithin(window, WM_NULL, 0, 0);
    Sleep(ms);
}
// A message to another process's control whose lParam points at data: size
// bytes copied into memory lent in its process and back after (`aim`, a
// pointer in data, pointed at the copy of `target`).
LRESULT SendForRemoteData(HWND control, UINT message, WPARAM wParam, void* data, SIZE_T size, char** aim = nullptr,
                          char* target = nullptr);

inline std::string WindowText(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}
// The text of another process's control (WM_GETTEXT reaches edit boxes too).
inline std::string ControlText(HWND control)
{
    char text[1024] = "";
    SendWithin(control, WM_GETTEXT, sizeof text - 1, reinterpret_cast<LPARAM>(text));
    return text;
}
// Waits until a control's text reads expected: the text it reads then.
std::string WaitForText(HWND control, const std::string& expected, DWORD timeoutMs = WindowWait);
// Every text of a dialog's controls, each followed by "|"; a list's entries.
std::string DialogTexts(HWND dialog);
std::vector<std::string> ListTexts(HWND control, UINT countMessage, UINT textMessage);
inline std::string StatusBarText(HWND bar, int part)
{
    char text[1024] = "";
    SendForRemoteData(bar, SB_GETTEXTA, static_cast<WPARAM>(part), text, sizeof text - 1);
    return text;
}
std::string TreeItemText(HWND tree, HTREEITEM item);

// The first child window of the class (and control id, unless -1).
inline HWND FindChild(HWND parent, const char* className, int id = -1)
{
    for (HWND child = nullptr; (child = FindWindowExA(parent, child, className, nullptr));)
        if (id == -1 || GetDlgCtrlID(child) == id)
            return child;
    return nullptr;
}
// The window that has the keyboard focus in the thread of this window.
inline HWND GetFocusOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}
// A toolbar button's or a list item's rectangle on the screen.
RECT ToolbarButtonRect(HWND toolbar, int command);
RECT ListItemRect(HWND list, int index);

// Real keys to a window made the foreground one, down in order and up in
// reverse order; text typed there character by character; the real pointer,
// parked in the screen's far corner when out of the way.
void PressKeys(HWND window, std::vector<WORD> keys);
void TypeText(const std::wstring& text);
void MovePointer(int x, int y);
void ClickPointer(int x, int y);
inline void ClickRect(const RECT& rect) { ClickPointer((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2); }
inline void ClickControl(HWND control)
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(control, &rect);
    ClickRect(rect);
}
inline void ParkPointer() { MovePointer(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1); }
inline void PostClick(HWND window, bool right, int x = 4, int y = 4)
{
    PostMessageA(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// A dialog of the program as a player drives it: its controls by id, pressed
// with the real pointer; whether a button pressed, or its command posted, closed it.
struct Dialog {
    HWND window = nullptr;

    HWND Item(int id) const { return GetDlgItem(window, id); }
    std::string Text(int id) const { return ControlText(Item(id)); }
    bool Checked(int id) const { return SendWithin(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    std::vector<std::string> List(int id) const { return ListTexts(Item(id), LB_GETCOUNT, LB_GETTEXT); }
    void Press(int id) const
    {
        ClickControl(Item(id));
        Settle(window, 200);
    }
    bool Close(int id) const
    {
        ClickControl(Item(id));
        return window && WaitUntilClosed(window);
    }
    bool Answer(int id) const
    {
        PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
        return window && WaitUntilClosed(window);
    }
};
inline Dialog OpenedDialog(const RunningProgram& program, const std::string& caption)
{
    const Dialog dialog{WaitForDialog(program, caption)};
    Settle(dialog.window, dialog.window ? 300 : 0);
    return dialog;
}

// The message box the program shows, answered with OK.
struct MessageBoxTexts {
    std::string text;
    std::string caption;
};
MessageBoxTexts AnswerMessageBox(const RunningProgram& program);
// A file dialog's file type; the name it proposed, then the name typed and
// confirmed (cancelled when empty).
std::string AnswerFileDialog(HWND chooser, const std::string& name, std::string* proposed = nullptr);

// The pixels of the screen, 0x00RRGGBB, top row first; a window as it is
// there, saved as a .bmp.
std::vector<std::uint32_t> ScreenPixels(const RECT& rect);
bool SaveScreenshot(HWND window, const std::string& path);

// A registry text value for one case, gone at its end: the Windows version
// that Wine reports to Hanabo32.exe ("win7", "win10") under the user's
// ProgramVersionKey, or a file association (Wine's own prefix has none for
// pages, and looks them up under HKEY_CLASSES_ROOT only).
struct RegistryText {
    HKEY root;
    std::string key;
    const char* name;
    RegistryText(HKEY in, std::string at, const char* value, const std::string& text)
        : root(in), key(std::move(at)), name(value)
    {
        RegSetKeyValueA(root, key.c_str(), name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    ~RegistryText() { RegDeleteKeyValueA(root, key.c_str(), name); }
};
const char ProgramVersionKey[] = "Software\\Wine\\AppDefaults\\Hanabo32.exe";

// The folder of Hanabo32.exe, ending in a backslash: the build puts the
// shipped tile sets, sounds, music and help, and board-picture.exe, beside it.
inline std::string ProgramFolder()
{
    const std::string exe = Environment("HANABO_EXE");
    return exe.substr(0, exe.find_last_of("\\/") + 1);
}
// Where screenshots go; the test script converts them for people to look at.
inline std::string ArtifactPath(const std::string& name) { return Environment("HANABO_ARTIFACTS") + "\\" + name; }

// The standard output of a program (hanabo-tool.exe) run with the arguments
// and the input, and its exit code (-1 when it did not start).
std::string RunProgram(const std::string& exe, const std::string& arguments, const std::string& input = "",
                       long* exitCode = nullptr);
inline std::string RunTool(const std::string& arguments, const std::string& input = "")
{
    return RunProgram(Environment("HANABO_TOOL"), arguments, input);
}

inline std::string ReadWholeFile(const std::string& path)
{
    std::string text;
    ReadWholeFile(path, &text);
    return text;
}
// Waits until a file reads expected: what it reads then.
inline std::string WaitForFileText(const std::string& path, const std::string& expected, DWORD timeoutMs = WindowWait)
{
    std::string text = ReadWholeFile(path);
    for (DWORD waited = 0; text != expected && waited < timeoutMs; waited += 100, text = ReadWholeFile(path))
        Sleep(100);
    return text;
}
