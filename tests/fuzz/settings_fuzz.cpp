// libFuzzer target: the settings lookups, ReadSettings and the rewritten file.
// Input: an optional "section NUL key NUL" prefix for a direct lookup, then the file text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "storage/program_directory.h"
#include "storage/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static bool ready = SetProgramDirectory("C:\\Hanabo");
    (void)ready;
    std::string input(reinterpret_cast<const char*>(data), size);

    std::size_t first = input.find('\0');
    std::size_t second = first == std::string::npos ? std::string::npos : input.find('\0', first + 1);
    if (second != std::string::npos && second < 64) {
        std::string section = input.substr(0, first);
        std::string key = input.substr(first + 1, second - first - 1);
        std::string text = input.substr(second + 1);
        ReadIntSetting(text.c_str(), section.c_str(), key.c_str(), 7);
        ReadFloatSetting(text.c_str(), section.c_str(), key.c_str(), 7);
        ReadBoolSetting(text.c_str(), section.c_str(), key.c_str(), 1);
        char out[64];
        ReadStringSetting(text.c_str(), section.c_str(), key.c_str(), out, sizeof out, "default");
        if (std::strlen(out) >= sizeof out)
            std::abort();
        input = text;
    }

    // The file as LoadSettings sees it (a C string), then as SaveSettings
    // carries it over (every byte).
    Settings read;
    ReadSettings(input.c_str(), &read);
    std::string written = FormatSettings(read, &input);

    // What was written reads back to the same sheet and limits (a CellNo
    // that wrapped below 0 is written with its sign, which reads as 0).
    Settings again;
    ReadSettings(written.c_str(), &again);
    if (again.SheetSizeX != read.SheetSizeX || again.SheetSizeY != read.SheetSizeY ||
        again.CellSize != read.CellSize || (read.CellNo >= 0 && again.CellNo != read.CellNo) ||
        again.AnimIntrvl != read.AnimIntrvl ||
        again.Campaign != read.Campaign || again.specialNumbers.size() > 10)
        std::abort();
    return 0;
}
