// Splitting Shift-JIS paths into folder, name and extension.
#include "storage/paths.h"

#include "storage/shift_jis.h"

static bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// One walk over the whole characters of a path: the last separator and the
// last "." that are characters of their own.
static void FindLast(const std::string& path, std::size_t* separator, std::size_t* dot)
{
    *separator = std::string::npos;
    *dot = std::string::npos;
    for (std::size_t at = 0; at < path.size(); at += ShiftJisCharLength(path, at)) {
        if (ShiftJisCharLength(path, at) != 1)
            continue;
        if (IsSeparator(path[at]))
            *separator = at;
        else if (path[at] == '.')
            *dot = at;
    }
}

std::size_t LastSeparator(const std::string& path)
{
    std::size_t separator, dot;
    FindLast(path, &separator, &dot);
    return separator;
}

bool EndsWithSeparator(const std::string& path)
{
    std::size_t separator = LastSeparator(path);
    return separator != std::string::npos && separator + 1 == path.size();
}

std::string FolderOf(const std::string& path)
{
    std::size_t separator = LastSeparator(path);
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string FileNameOf(const std::string& path)
{
    std::size_t separator = LastSeparator(path);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string ReplaceExtension(const std::string& path, const char* extension)
{
    std::size_t separator, dot;
    FindLast(path, &separator, &dot);
    bool dotInName = dot != std::string::npos && (separator == std::string::npos || dot > separator);
    return (dotInName ? path.substr(0, dot) : path) + extension;
}
