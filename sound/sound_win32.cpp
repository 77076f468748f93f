// The platform calls of the sounds and the music: file searches, sndPlaySoundA
// and the MCI command strings.
#include "sound/sound_win32.h"

#include <mmsystem.h>

#include "sound/sound_platform.h"

static HWND noticeWindow;

static bool FileFound(const char* path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

static bool WindowsDirectory(char* out, std::size_t size)
{
    UINT length = GetWindowsDirectoryA(out, static_cast<UINT>(size));
    return length > 0 && length < size;
}

static void PlayWave(const char* path)
{
    // A file that cannot be played stays silent rather than ringing the default sound.
    sndPlaySoundA(path, SND_ASYNC | SND_NODEFAULT);
}

static unsigned long SendCommand(const char* command, char* answer, std::size_t size, bool notify)
{
    return mciSendStringA(command, answer, static_cast<UINT>(size), notify ? noticeWindow : nullptr);
}

static bool ShortPath(const char* path, char* out, std::size_t size)
{
    DWORD length = GetShortPathNameA(path, out, static_cast<DWORD>(size));
    return length > 0 && length < size;
}

static unsigned long Milliseconds()
{
    return GetTickCount();
}

void InstallSoundPlatform(HWND notifyWindow)
{
    noticeWindow = notifyWindow;
    soundPlatform.fileExists = FileFound;
    soundPlatform.windowsDirectory = WindowsDirectory;
    soundPlatform.playWave = PlayWave;
    soundPlatform.sendCommand = SendCommand;
    soundPlatform.shortPath = ShortPath;
    soundPlatform.milliseconds = Milliseconds;
}
