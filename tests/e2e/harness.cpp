// The end-to-end harness: Win32 calls that start, watch and drive Hanabo32.
#include "tests/e2e/harness.h"

#include <cstdio>
#include <fstream>

#include <gtest/gtest.h>

std::string MakeWorkDirectory(const std::string& suffix, const std::string& parent)
{
    static int serial = 0;
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string path = (parent.empty() ? std::string(temp) : parent) + "hanabo-e2e-" +
                             std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial) + suffix;
    CreateDirectoryA(path.c_str(), nullptr);
    return path + "\\";
}

std::vector<HWND> TopLevelWindows(const char* className, DWORD processId)
{
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (processId == 0 || owner == processId)
            found.push_back(window);
    }
    return found;
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
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ProgramStartWait;) {
        for (HWND window : TopLevelWindows("Hanabo32", program.process.dwProcessId))
            if (IsWindowVisible(window)) {
                program.window = window;
                WaitForInputIdle(program.process.hProcess, WindowWait);
                return true;
            }
        if (WaitForSingleObject(program.process.hProcess, 50) == WAIT_OBJECT_0)
            return false;
    }
    return false;
}

long WaitForExit(RunningProgram& program, DWORD timeoutMs)
{
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(program.process.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(program.process.hProcess, &code);
    else if (TerminateProcess(program.process.hProcess, 99))
        WaitForSingleObject(program.process.hProcess, 5000);
    return static_cast<long>(code);
}

void StopProgram(RunningProgram& program)
{
    if (!program.process.hProcess)
        return;
    WaitForExit(program, 0);
    CloseHandle(program.process.hThread);
    CloseHandle(program.process.hProcess);
    program.process = {};
    program.window = nullptr;
}

HWND WaitForWindow(const RunningProgram& program, const char* className, DWORD timeoutMs, const char* caption)
{
    const DWORD start = GetTickCount();
    do {
        for (HWND window : TopLevelWindows(className, program.process.dwProcessId))
            if (IsWindowVisible(window) && (!caption || WindowText(window) == caption))
                return window;
        Sleep(50);
    } while (GetTickCount() - start <= timeoutMs);
    return nullptr;
}

LRESULT SendForRemoteData(HWND control, UINT message, WPARAM wParam, void* data, SIZE_T size, char** aim,
                          char* target)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(control, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (aim)
        *aim = remote + (target - static_cast<char*>(data));
    SIZE_T done = 0;
    LRESULT result = remote && WriteProcessMemory(process, remote, data, size, &done)
                         ? SendWithin(control, message, wParam, reinterpret_cast<LPARAM>(remote))
                         : 0;
    if (!remote || !ReadProcessMemory(process, remote, data, size, &done) || done != size)
        result = 0;
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return result;
}

std::string WaitForText(HWND control, const std::string& expected, DWORD timeoutMs)
{
    std::string text = ControlText(control);
    for (const DWORD start = GetTickCount(); text != expected && GetTickCount() - start < timeoutMs;) {
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
    for (LRESULT i = 0, count = SendWithin(control, countMessage, 0, 0); i < count; ++i) {
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

std::string TreeItemText(HWND tree, HTREEITEM item)
{
    struct {
        TVITEMA item;
        char text[1024];
        char end;
    } query = {};
    query.item = {TVIF_TEXT, item, 0, 0, nullptr, static_cast<int>(sizeof query.text), 0, 0, 0, 0};
    SendForRemoteData(tree, TVM_GETITEMA, 0, &query, sizeof query, &query.item.pszText, query.text);
    return query.text;
}

RECT ToolbarButtonRect(HWND toolbar, int command)
{
    RECT rect = {0, 0, 0, 0};
    SendForRemoteData(toolbar, TB_GETRECT, static_cast<WPARAM>(command), &rect, sizeof rect);
    MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ListItemRect(HWND list, int index)
{
    // The system carries the rectangle between processes itself.
    RECT rect = {0, 0, 0, 0};
    SendWithin(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

static INPUT KeyInput(WORD key, WORD scan, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki = {key, scan, flags, 0, 0};
    return input;
}

static INPUT MouseInput(LONG x, LONG y, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi = {x, y, 0, flags, 0, 0};
    return input;
}

void PressKeys(HWND window, std::vector<WORD> keys)
{
    SetForegroundWindow(window);
    Settle(window, 100);
    std::vector<INPUT> inputs;
    for (WORD key : keys)
        inputs.push_back(KeyInput(key, 0, 0));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        inputs.push_back(KeyInput(*it, 0, KEYEVENTF_KEYUP));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const std::wstring& text)
{
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        inputs.push_back(KeyInput(0, c, KEYEVENTF_UNICODE));
        inputs.push_back(KeyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void MovePointer(int x, int y)
{
    INPUT move = MouseInput(MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
                            MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1),
                            MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    SendInput(1, &move, sizeof move);
    SetCursorPos(x, y);  // exactly there, whatever the scaling of the move
}

void ClickPointer(int x, int y)
{
    MovePointer(x, y);
    INPUT clicks[2] = {MouseInput(0, 0, MOUSEEVENTF_LEFTDOWN), MouseInput(0, 0, MOUSEEVENTF_LEFTUP)};
    SendInput(2, clicks, sizeof(INPUT));
}

MessageBoxTexts AnswerMessageBox(const RunningProgram& program)
{
    MessageBoxTexts texts;
    const Dialog box{WaitForWindow(program, "#32770")};
    if (!box.window)
        return texts;
    Settle(box.window, 200);
    texts.caption = WindowText(box.window);
    for (HWND child = nullptr; (child = FindWindowExA(box.window, child, "Static", nullptr));)
        texts.text += ControlText(child);
    box.Answer(IDOK);
    return texts;
}

std::string AnswerFileDialog(HWND chooser, const std::string& name, std::string* proposed)
{
    Settle(chooser, 300);
    // The name is in edt1 (0x480), or in the edit inside the combo box cmb13
    // (0x47c), wherever they are among the dialog's windows; cmb1 (0x470)
    // shows the file type.
    HWND box = nullptr;
    EnumChildWindows(
        chooser,
        [](HWND child, LPARAM found) -> BOOL {
            char name[64] = "";
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, "Edit") == 0 &&
                (GetDlgCtrlID(child) == 0x480 || GetDlgCtrlID(GetParent(child)) == 0x47c))
                *reinterpret_cast<HWND*>(found) = child;
            return *reinterpret_cast<HWND*>(found) == nullptr;
        },
        reinterpret_cast<LPARAM>(&box));
    if (proposed)
        *proposed = ControlText(box);
    if (!name.empty())
        SendWithin(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    const std::string type = ControlText(FindChild(chooser, "ComboBox", 0x470));
    Dialog{chooser}.Answer(name.empty() ? IDCANCEL : IDOK);
    return type;
}

std::vector<std::uint32_t> ScreenPixels(const RECT& rect)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    std::vector<std::uint32_t> pixels(width > 0 && height > 0 ? static_cast<std::size_t>(width) * height : 0);
    if (pixels.empty())
        return pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top row first
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    for (std::uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// A 32-bit bitmap whose rows go from the top down, as the screen gives them.
bool SaveScreenshot(HWND window, const std::string& path)
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    std::vector<std::uint32_t> pixels = ScreenPixels(rect);
    for (std::uint32_t& pixel : pixels)
        pixel |= 0xFF000000;  // opaque
    const BITMAPINFOHEADER info = {sizeof info, rect.right - rect.left, rect.top - rect.bottom, 1, 32, BI_RGB,
                                   0, 0, 0, 0, 0};
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER header = {0x4D42, offset + static_cast<DWORD>(pixels.size() * 4), 0, 0, offset};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size() * 4));
    return !pixels.empty() && out;
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
    CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    // Without a child the pipes fail at once, and so does the wait.
    CloseHandle(inRead);
    CloseHandle(outWrite);
    DWORD done = 0, code = static_cast<DWORD>(-1);
    WriteFile(inWrite, input.data(), static_cast<DWORD>(input.size()), &done, nullptr);
    CloseHandle(inWrite);
    std::string output;
    char buffer[4096];
    while (ReadFile(outRead, buffer, sizeof buffer, &done, nullptr) && done > 0)
        output.append(buffer, done);
    CloseHandle(outRead);
    WaitForSingleObject(process.hProcess, ProgramStartWait);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (exitCode)
        *exitCode = static_cast<long>(code);
    return output;
}
