// Background music through MCI command strings, and its loop.
#include "sound/music.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "game/front_end.h"
#include "sound/sound_platform.h"
#include "game/game_files.h"
#include "storage/files.h"
#include "storage/settings.h"

static const char CannotPlayText[] =
    "MIDI\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x8d\xc4\x90\xb6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";  // MIDIファイルを再生できません
static const char MidiFilterName[] = "MIDI File";
static const char MidiFilterPattern[] = "*.mid;*.rmi";

// The command texts, blanks and all, as the device is sent them.
static const char OpenFormat[] = "open %s type sequencer ";
static const char PlayFormat[] = "play %s %s %s";
static const char CloseFormat[] = "close %s";
static const char NoticeModeFormat[] = "status %s mode";
static const char ModeFormat[] = "status  %s mode";
static const char PauseFormat[] = "pause  %s";
static const char ResumeFormat[] = "play  %s %s";
static const char FromStart[] = "from 0";
static const char Notify[] = "notify";

// The replay guard: when the last play was asked for, and how many plays in a
// row ended at once.
struct ReplayGuard {
    unsigned long playAskedAt = 0;
    int quickEnds = 0;
};
static ReplayGuard replayGuard;

static unsigned long Now()
{
    return soundPlatform.milliseconds ? soundPlatform.milliseconds() : 0;
}

// The device name: the short form of the MusicFile, asked for afresh before
// each command (the path itself when it has none, so that a device opened
// under it can still be closed).
static std::string DeviceName()
{
    char name[TextBufferSize];
    if (soundPlatform.shortPath && soundPlatform.shortPath(settings.MIDI.c_str(), name, sizeof name))
        return name;
    return settings.MIDI;
}

// Sends one command formed from format, the device name and up to two more
// texts; false when the device refused it (or it did not fit).
static bool Send(const char* format, const char* first = "", const char* second = "", char* answer = nullptr,
                 std::size_t answerSize = 0, bool notify = false)
{
    if (answer && answerSize > 0)
        answer[0] = '\0';
    char command[TextBufferSize];
    const int length = std::snprintf(command, sizeof command, format, DeviceName().c_str(), first, second);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof command || !soundPlatform.sendCommand)
        return false;
    return soundPlatform.sendCommand(command, answer, answerSize, notify) == 0;
}

// The device's mode ("playing", "paused", ...); false when the query failed.
static bool AskMode(const char* format, char* mode, std::size_t size)
{
    return Send(format, "", "", mode, size);
}

void StartMusic()
{
    if (settings.MIDI.empty())
        return;
    replayGuard.quickEnds = 0;
    if (Send(OpenFormat)) {
        replayGuard.playAskedAt = Now();
        if (Send(PlayFormat, "", Notify, nullptr, 0, true))
            return;
        StopMusic();
    }
    settings.BGM = 0;
    PlaySoundEvent(SoundEvent::Message);
    ShowMessage(CannotPlayText, MessageKind::Error);
}

void StopMusic()
{
    if (!settings.MIDI.empty())
        Send(CloseFormat);
}

void PauseMusic()
{
    char mode[TextBufferSize];
    if (settings.MIDI.empty() || !AskMode(ModeFormat, mode, sizeof mode))
        return;
    if (std::strcmp(mode, "playing") == 0)
        Send(PauseFormat);
}

void ResumeMusic()
{
    char mode[TextBufferSize];
    if (settings.MIDI.empty() || !AskMode(ModeFormat, mode, sizeof mode))
        return;
    if (std::strcmp(mode, "paused") == 0)
        Send(ResumeFormat, Notify, "", nullptr, 0, true);
}

void OnMusicNotice()
{
    if (settings.MIDI.empty())
        return;
    char mode[TextBufferSize];
    AskMode(NoticeModeFormat, mode, sizeof mode);
    // A piece paused by the player stays where it is. A device that plays
    // already answers a newer request: this notice ends one that it replaced,
    // and restarting would replace that one too, whose notice would restart
    // it again, without end.
    if (!settings.BGM || std::strcmp(mode, "paused") == 0 || std::strcmp(mode, "playing") == 0)
        return;
    // A file that ends as soon as it starts would keep the loop spinning.
    const unsigned long now = Now();
    replayGuard.quickEnds = now - replayGuard.playAskedAt < QuickEndMs ? replayGuard.quickEnds + 1 : 0;
    if (replayGuard.quickEnds > QuickEndLimit)
        return;
    replayGuard.playAskedAt = now;
    Send(PlayFormat, FromStart, Notify, nullptr, 0, true);
}

void ToggleMusic()
{
    if (settings.BGM) {
        settings.BGM = 0;
        StopMusic();
        return;
    }
    if (!ChooseMusicFile())
        return;
    settings.BGM = 1;
    StartMusic();
}

bool ChooseMusicFile()
{
    const FileChoice choice = PrepareFileChoice(settings.MIDI.c_str(), MidiFilterName, MidiFilterPattern);
    std::string path;
    if (!ShowFileChoice(choice, false, &path))
        return false;
    settings.MIDI = path;
    return true;
}
