// The end-to-end harness: Win32 calls that start, watch and drive Hanabo32.
#include "tests/e2e/harness.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string MakeWorkDirectory(const std::string& suffix, const std::string& parent)
{
    static int serial = 0;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string base = parent.empty() ? std::string(temp) : parent;
    for (int tries = 0; tries < 1000; ++tries) {
        std::string path = base + "hanabo-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(++serial) + suffix;
        if (CreateDirectoryA(path.c_str(), nullptr))
            return path + "\\";
    }
    return base;
}

struct WindowSearch {
    const char* className;
    DWORD processId;
    std::vector<HWND> found;
};

static BOOL CALLBACK CollectWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[256];
    if ((search->processId == 0 || owner == search->processId) &&
        (!search->className || (GetClassNameA(window, name, sizeof name) && std::string(name) == search->className)))
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(const char* className, DWORD processId)
{
    WindowSearch search{className, processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Every start of the program costs seconds under Wine: the run ends with
// their count, to keep the flows few.
static int programStarts = 0;
struct StartCount : ::testing::Environment {
    void TearDown() override { std::printf("Hanabo32 started %d times\n", programStarts); }
};
static ::testing::Environment* const startCount = ::testing::AddGlobalTestEnvironment(new StartCount);

bool LaunchProgram(RunningProgram& program, const std::string& directory)
{
    ++programStarts;
    program.directory = directory;
    // The real pointer rests away from where the window opens, so that only
    // the test's own mouse messages reach the board.
    ParkPointer();
    std::string exe = program.exe.empty() ? Environment("HANABO_EXE") : program.exe;
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                          &startup, &program.process) != 0;
}

bool WaitForMainWindow(RunningProgram& program)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ProgramStartWait) {
        auto windows = TopLevelWindows("Hanabo32", program.process.dwProcessId);
        if (!windows.empty() && IsWindowVisible(windows[0])) {
            program.window = windows[0];
            WaitForInputIdle(program.process.hProcess, WindowWait);
            return true;
        }
        if (WaitForSingleObject(program.process.hProcess, 50) == WAIT_OBJECT_0)
            return false;
    }
    return false;
}

bool StartProgram(RunningProgram& program, const std::string& directory)
{
    return LaunchProgram(program, directory) && WaitForMainWindow(program);
}

long WaitForExit(RunningProgram& program, DWORD timeoutMs)
{
    if (!program.process.hProcess)
        return -1;
    if (WaitForSingleObject(program.process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(program.process.hProcess, 99);
        WaitForSingleObject(program.process.hProcess, 5000);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(program.process.hProcess, &code);
    return static_cast<long>(code);
}

void StopProgram(RunningProgram& program)
{
    if (!program.process.hProcess)
        return;
    if (WaitForSingleObject(program.process.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(program.process.hProcess, 99);
        WaitForSingleObject(program.process.hProcess, 5000);
    }
    CloseHandle(program.process.hThread);
    CloseHandle(program.process.hProcess);
    program.process = {};
    program.window = nullptr;
}

HWND WaitForWindow(const RunningProgram& program, const char* className, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    do {
        for (HWND window : TopLevelWindows(className, program.process.dwProcessId))
            if (IsWindowVisible(window))
                return window;
        Sleep(50);
    } while (GetTickCount() - start <= timeoutMs);
    return nullptr;
}

HWND WaitForDialog(const RunningProgram& program, const std::string& caption, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    do {
        for (HWND window : TopLevelWindows("#32770", program.process.dwProcessId))
            if (IsWindowVisible(window) && WindowText(window) == caption)
                return window;
        Sleep(50);
    } while (GetTickCount() - start <= timeoutMs);
    return nullptr;
}

bool WaitUntilClosed(HWND window, DWORD timeoutMs)
{
    for (DWORD waited = 0; IsWindowVisible(window) && waited < timeoutMs; waited += 50)
        Sleep(50);
    return !IsWindowVisible(window);
}

void Settle(HWND window, DWORD ms)
{
    DWORD_PTR result;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, WindowWait, &result);
    Sleep(ms);
}

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

LRESULT SendForRemoteData(HWND control, UINT message, WPARAM wParam, void* data, SIZE_T size, char** aim,
                          char* target)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(control, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process)
        return 0;
    DWORD_PTR result = 0;
    char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    SIZE_T done = 0;
    if (remote) {
        if (aim)
            *aim = remote + (target - static_cast<char*>(data));
        if (!WriteProcessMemory(process, remote, data, size, &done) ||
            !SendMessageTimeoutA(control, message, wParam, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                                 WindowWait, &result) ||
            !ReadProcessMemory(process, remote, data, size, &done) || done != size)
            result = 0;
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return static_cast<LRESULT>(result);
}

std::string WindowText(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ControlText(HWND control)
{
    char text[1024] = "";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                             WindowWait, &copied))
        return "";
    text[sizeof text - 1] = '\0';
    return text;
}

std::string WaitForText(HWND control, const std::string& expected, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    std::string text = ControlText(control);
    while (text != expected && GetTickCount() - start < timeoutMs) {
        Sleep(20);
        text = ControlText(control);
    }
    return text;
}

std::string DialogTexts(HWND dialog)
{
    std::string texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        texts += WindowText(child) + "|";
    return texts;
}

// Wine carries these texts across processes itself, as UTF-16 whatever the
// message's form, so they are asked for as such and turned back into Shift-JIS.
std::vector<std::string> ListTexts(HWND control, UINT countMessage, UINT textMessage)
{
    std::vector<std::string> texts;
    const LRESULT count = SendWithin(control, countMessage, 0, 0);
    for (int i = 0; i < count; ++i) {
        wchar_t wide[2048] = L"";
        DWORD_PTR length = 0;
        SendMessageTimeoutW(control, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide), SMTO_NORMAL,
                            WindowWait, &length);
        char text[4096] = "";
        WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        texts.push_back(text);
    }
    return texts;
}

std::string StatusBarText(HWND bar, int part)
{
    char text[1024] = "";
    SendForRemoteData(bar, SB_GETTEXTA, static_cast<WPARAM>(part), text, sizeof text);
    text[sizeof text - 1] = '\0';
    return text;
}

std::string TreeItemText(HWND tree, HTREEITEM item)
{
    struct {
        TVITEMA item;
        char text[1024];
    } query = {};
    query.item.mask = TVIF_TEXT;
    query.item.hItem = item;
    query.item.cchTextMax = sizeof query.text;
    if (!SendForRemoteData(tree, TVM_GETITEMA, 0, &query, sizeof query, &query.item.pszText, query.text))
        return "";
    query.text[sizeof query.text - 1] = '\0';
    return query.text;
}

HWND FindChild(HWND parent, const char* className, int id)
{
    for (HWND child = FindWindowExA(parent, nullptr, className, nullptr); child;
         child = FindWindowExA(parent, child, className, nullptr))
        if (id == -1 || GetDlgCtrlID(child) == id)
            return child;
    return nullptr;
}

HWND GetFocusOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

RECT ToolbarButtonRect(HWND toolbar, int command)
{
    RECT rect = {0, 0, 0, 0};
    if (!SendForRemoteData(toolbar, TB_GETRECT, static_cast<WPARAM>(command), &rect, sizeof rect))
        rect = RECT{0, 0, 0, 0};
    if (!IsRectEmpty(&rect))
        MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ListItemRect(HWND list, int index)
{
    // The system carries the rectangle between processes itself.
    RECT rect = {0, 0, 0, 0};
    if (SendWithin(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
        rect = RECT{0, 0, 0, 0};
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void PressKeys(HWND window, std::vector<WORD> keys)
{
    SetForegroundWindow(window);
    Settle(window, 100);
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT down = {};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        INPUT up = {};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *it;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const std::wstring& text)
{
    std::vector<INPUT> inputs;
    for (wchar_t c : text)
        for (DWORD flags : {DWORD(KEYEVENTF_UNICODE), DWORD(KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)}) {
            INPUT key = {};
            key.type = INPUT_KEYBOARD;
            key.ki.wScan = c;
            key.ki.dwFlags = flags;
            inputs.push_back(key);
        }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void MovePointer(int x, int y)
{
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
    SetCursorPos(x, y);  // exactly there, whatever the scaling of the move
}

void ClickPointer(int x, int y)
{
    MovePointer(x, y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

void ClickRect(const RECT& rect) { ClickPointer((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2); }

void ClickControl(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    ClickRect(rect);
}

void ParkPointer() { MovePointer(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1); }

void PostMouseMove(HWND window, int x, int y, WPARAM keys)
{
    PostMessageA(window, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
}

void PostLeftClick(HWND window, int x, int y)
{
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PostRightClick(HWND window, int x, int y)
{
    PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
}

bool Dialog::Checked(int id) const { return SendWithin(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::vector<std::string> Dialog::List(int id) const { return ListTexts(Item(id), LB_GETCOUNT, LB_GETTEXT); }

void Dialog::Press(int id) const
{
    ClickControl(Item(id));
    Settle(window, 200);
}

bool Dialog::Close(int id) const
{
    ClickControl(Item(id));
    return WaitUntilClosed(window);
}

bool Dialog::Answer(int id) const
{
    PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    return WaitUntilClosed(window);
}

Dialog OpenedDialog(const RunningProgram& program, const std::string& caption)
{
    Dialog dialog{WaitForDialog(program, caption)};
    if (dialog.window)
        Settle(dialog.window, 300);
    return dialog;
}

MessageBoxTexts AnswerMessageBox(const RunningProgram& program)
{
    MessageBoxTexts texts;
    HWND box = WaitForWindow(program, "#32770");
    if (!box)
        return texts;
    Settle(box, 200);
    texts.caption = WindowText(box);
    for (HWND child = FindChild(box, "Static"); child; child = FindWindowExA(box, child, "Static", nullptr))
        texts.text += ControlText(child);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntilClosed(box);
    return texts;
}

// The edit box of a file dialog that holds the file name: edt1 (0x480), or
// the edit inside the combo box cmb13 (0x47c).
static HWND FileNameBox(HWND dialog)
{
    HWND found = nullptr;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            char name[64] = "";
            GetClassNameA(child, name, sizeof name);
            HWND parent = GetParent(child);
            if (lstrcmpiA(name, "Edit") != 0 || (GetDlgCtrlID(child) != 0x480 && GetDlgCtrlID(parent) != 0x47c))
                return TRUE;
            *reinterpret_cast<HWND*>(data) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string AnswerFileDialog(HWND chooser, const std::string& name, std::string* proposed)
{
    Settle(chooser, 300);
    HWND filter = FindChild(chooser, "ComboBox", 0x470);  // cmb1, the file types
    const std::string type = filter ? ControlText(filter) : "";
    HWND box = FileNameBox(chooser);
    if (proposed)
        *proposed = box ? ControlText(box) : "";
    if (!name.empty() && box)
        SendWithin(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageA(chooser, WM_COMMAND, name.empty() ? IDCANCEL : IDOK, 0);
    WaitUntilClosed(chooser);
    return type;
}

std::vector<std::uint32_t> ScreenPixels(const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::vector<std::uint32_t> pixels;
    if (width <= 0 || height <= 0)
        return pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const std::uint32_t* p = static_cast<const std::uint32_t*>(bits);
    pixels.assign(p, p + static_cast<std::size_t>(width) * height);
    for (std::uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool SaveScreenRect(const RECT& rect, const std::string& path)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    const std::vector<std::uint32_t> pixels = ScreenPixels(rect);
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::string image(stride * static_cast<DWORD>(height), '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int k = 0; k < 3; ++k)
                image[(height - 1 - y) * stride + x * 3 + k] =
                    static_cast<char>(pixels[static_cast<std::size_t>(y) * width + x] >> (8 * k));
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(image.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out << image;
    return static_cast<bool>(out);
}

bool SaveScreenshot(HWND window, const std::string& path)
{
    RECT rect;
    return GetWindowRect(window, &rect) && SaveScreenRect(rect, path);
}

std::string ProgramFolder()
{
    const std::string exe = Environment("HANABO_EXE");
    const std::size_t slash = exe.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

std::string ArtifactPath(const std::string& name)
{
    std::string dir = Environment("HANABO_ARTIFACTS");
    if (dir.empty())
        dir = ".";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\" + name;
}

std::string RunProgram(const std::string& exe, const std::string& arguments, const std::string& input,
                       long* exitCode)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE inRead, inWrite, outRead, outWrite;
    CreatePipe(&inRead, &inWrite, &inherit, 0);
    CreatePipe(&outRead, &outWrite, &inherit, 0);
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead;
    startup.hStdOutput = outWrite;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::string commandLine = "\"" + exe + "\" " + arguments;
    PROCESS_INFORMATION process = {};
    const bool started = CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process) != 0;
    CloseHandle(inRead);
    CloseHandle(outWrite);
    std::string output;
    DWORD code = static_cast<DWORD>(-1);
    if (started) {
        DWORD done = 0;
        if (!input.empty())
            WriteFile(inWrite, input.data(), static_cast<DWORD>(input.size()), &done, nullptr);
        CloseHandle(inWrite);
        char buffer[4096];
        while (ReadFile(outRead, buffer, sizeof buffer, &done, nullptr) && done > 0)
            output.append(buffer, done);
        WaitForSingleObject(process.hProcess, ProgramStartWait);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        CloseHandle(inWrite);
    }
    CloseHandle(outRead);
    if (exitCode)
        *exitCode = static_cast<long>(code);
    return output;
}

std::string RunTool(const std::string& arguments, const std::string& input, long* exitCode)
{
    return RunProgram(Environment("HANABO_TOOL"), arguments, input, exitCode);
}

std::string ReadWholeFile(const std::string& path)
{
    std::string text;
    ReadWholeFile(path, &text);
    return text;
}
