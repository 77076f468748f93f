// libFuzzer target: a typed number and comment made into a special-number
// entry, written to the settings file and read back. Input: the number, a
// NUL, the comment.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dialogs/select_game.h"
#include "storage/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    // The dialog's controls hand over C strings.
    std::size_t split = input.find('\0');
    std::string number = input.substr(0, split);
    std::string comment = split == std::string::npos ? "" : input.substr(split + 1);
    comment = comment.substr(0, comment.find('\0'));

    GameNumberOfText(number.c_str());
    std::string entry = FormatSpecialNumberEntry(number, comment);
    if (entry.size() > 1023 || entry.find_first_of("\r\n") != std::string::npos)
        std::abort();
    if (NumberOfSpecialNumberEntry(entry).size() > SpecialNumberWidth)
        std::abort();

    // The entry comes back from the file as it went in, but for the blanks
    // at its start, which the reading of a value passes over.
    Settings values;
    values.specialNumbers = {entry};
    std::string text = FormatSettings(values, nullptr);
    Settings read;
    ReadSettings(text.c_str(), &read);
    std::string expected = entry.substr(entry.find_first_not_of(" \t") == std::string::npos
                                            ? entry.size()
                                            : entry.find_first_not_of(" \t"));
    if (expected.empty() ? !read.specialNumbers.empty()
                         : read.specialNumbers.size() != 1 || read.specialNumbers[0] != expected)
        std::abort();
    return 0;
}
