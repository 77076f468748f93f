// Event sounds: the file lookup, the Sound switch and the Select Sound rows.
#include "sound/sound_events.h"

#include "storage/files.h"
#include "storage/settings.h"
#include "sound/sound_platform.h"

SoundPlatform soundPlatform;

static const char MediaFolder[] = "\\media\\";

// The row labels of the Select Sound dialog, in SoundEvent order.
static const char* const RowLabels[SoundEventCount] = {
    "Start           \t", "Click           \t", "High Score      \t", "Score Check     \t",
    "Campaign Clear  \t", "Message         \t", "Select          \t", "Disappear       \t",
};

static bool Exists(const std::string& path)
{
    return path.size() < TextBufferSize && soundPlatform.fileExists && soundPlatform.fileExists(path.c_str());
}

bool FindSoundFile(const char* folder, const char* name, std::string* path)
{
    if (!name || !*name)
        return false;
    std::string candidate = std::string(folder ? folder : "") + name;
    if (!Exists(candidate)) {
        char windows[TextBufferSize];
        if (!soundPlatform.windowsDirectory || !soundPlatform.windowsDirectory(windows, sizeof windows))
            return false;
        candidate = std::string(windows) + MediaFolder + name;
        if (!Exists(candidate))
            return false;
    }
    *path = candidate;
    return true;
}

void PlaySoundFrom(const char* folder, const char* name)
{
    std::string path;
    if (FindSoundFile(folder, name, &path) && soundPlatform.playWave)
        soundPlatform.playWave(path.c_str());
}

void PlayEventSound(SoundEvent event)
{
    const int index = static_cast<int>(event);
    if (!settings.Sound || index < 0 || index >= SoundEventCount)
        return;
    PlaySoundFrom(settings.Path.c_str(), settings.soundFiles[index].c_str());
}

void ToggleSound()
{
    settings.Sound = settings.Sound ? 0 : 1;
}

std::string SoundRowText(int event, const std::string& file)
{
    if (event < 0 || event >= SoundEventCount)
        return file;
    return RowLabels[event] + file;
}

std::string SoundRowFile(const std::string& row)
{
    return row.size() > SoundRowLabelLength ? row.substr(SoundRowLabelLength) : std::string();
}
