// Names and paths of the folder browser.
#include "sound/folder_path.h"

#include <cstring>

#include "storage/files.h"

bool IsListedFolder(unsigned long attributes, const char* name)
{
    return attributes == ListedFolderAttributes && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0;
}

// The position of each character's first byte, walking whole characters.
static std::size_t LastCharacterAt(const std::string& text)
{
    std::size_t last = std::string::npos;
    for (std::size_t at = 0; at < text.size(); at += ShiftJisCharLength(text, at))
        last = at;
    return last;
}

bool EndsWithBackslash(const std::string& text)
{
    const std::size_t last = LastCharacterAt(text);
    return last != std::string::npos && last == text.size() - 1 && text[last] == '\\';
}

std::string JoinItemNames(const std::vector<std::string>& names)
{
    std::string path;
    for (const std::string& name : names) {
        path += name;
        if (!EndsWithBackslash(name))
            path += '\\';
    }
    return path;
}

std::string LowerShiftJis(const std::string& text)
{
    std::string lower = text;
    for (std::size_t at = 0; at < lower.size(); at += ShiftJisCharLength(lower, at))
        if (ShiftJisCharLength(lower, at) == 1 && lower[at] >= 'A' && lower[at] <= 'Z')
            lower[at] = static_cast<char>(lower[at] - 'A' + 'a');
    return lower;
}

bool ItemBeginsPath(const std::string& name, const std::string& rest)
{
    std::string key = LowerShiftJis(name);
    if (!EndsWithBackslash(key))
        key += '\\';
    return rest.size() >= key.size() && LowerShiftJis(rest).compare(0, key.size(), key) == 0;
}

std::string PastNextBackslash(const std::string& rest)
{
    for (std::size_t at = 0; at < rest.size(); at += ShiftJisCharLength(rest, at))
        if (ShiftJisCharLength(rest, at) == 1 && rest[at] == '\\')
            return rest.substr(at + 1);
    return std::string();
}
