// The Help command and F1: the WinHelp file where the system has the viewer,
// else the same help as a page in the default browser.
#include "shell/shell_win32.h"

#include <objbase.h>
#include <shellapi.h>

#include "storage/program_directory.h"

// Windows 10 and later ship no WinHelp viewer. The version comes from
// RtlGetVersion: GetVersionEx reports no later system than Windows 8 to a
// program whose manifest does not name the later ones. Wine reports the
// version set for the program in its configuration, which lets the tests
// take either way.
static bool SystemHasWinHelpViewer()
{
    typedef LONG(WINAPI * RtlGetVersionCall)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    RtlGetVersionCall getVersion = ntdll ? reinterpret_cast<RtlGetVersionCall>(reinterpret_cast<void (*)()>(
                                               GetProcAddress(ntdll, "RtlGetVersion")))
                                         : nullptr;
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!getVersion || getVersion(&version) != 0)
        return true;
    return version.dwMajorVersion < 10;
}

// The page opens as any page the player opens: through the system's file
// association, some of which are carried out through COM.
static bool OpenPage(HWND owner)
{
    char path[1024];
    if (!ProgramFile("Hanabo.htm", path, sizeof path))
        return false;
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    bool opened = reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", path, nullptr, nullptr, SW_SHOWNORMAL)) > 32;
    if (SUCCEEDED(com))
        CoUninitialize();
    return opened;
}

// When nothing opens the page, the help viewer is asked as before, and tells
// the player what it can.
void OpenHelp(HWND owner)
{
    if (!SystemHasWinHelpViewer() && OpenPage(owner))
        return;
    char path[1024];
    if (ProgramFile("Hanabo.hlp", path, sizeof path))
        WinHelpA(owner, path, HELP_CONTENTS, 0);
}
