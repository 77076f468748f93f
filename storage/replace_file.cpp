// Replacing a file in one step where rename does it (the Windows program has
// its own, in replace_file_win32.cpp).
#include "storage/files.h"

#ifndef _WIN32
#include <cstdio>

bool ReplaceFileWith(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}
#endif
