// What the sounds and the music need of the platform: finding and playing wave
// files, and the MCI command strings. The Win32 program fills it in at start-up;
// the unit tests put recording doubles in its place.
#pragma once

#include <cstddef>

struct SoundPlatform {
    // True when a directory search for the name finds something.
    bool (*fileExists)(const char* path) = nullptr;
    // The Windows directory, without a trailing backslash; false when unknown.
    bool (*windowsDirectory)(char* out, std::size_t size) = nullptr;
    // Starts playing a wave file and returns at once; a sound still playing is cut off.
    void (*playWave)(const char* path) = nullptr;
    // Sends an MCI command string. The device's text answer goes to answer (of
    // answerSize bytes) when it is not null; with notify, the end of the request
    // is reported to the main window. The MCI error code, 0 for success.
    unsigned long (*sendCommand)(const char* command, char* answer, std::size_t answerSize, bool notify) = nullptr;
    // The short (8.3) form of a path; false when there is none.
    bool (*shortPath)(const char* path, char* out, std::size_t size) = nullptr;
    // A millisecond clock.
    unsigned long (*milliseconds)() = nullptr;
};

extern SoundPlatform soundPlatform;
