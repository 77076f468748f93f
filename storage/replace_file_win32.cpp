// Replacing a file in one step on Windows, where rename refuses an existing name.
#include <windows.h>

#include "storage/files.h"

bool ReplaceFileWith(const std::string& from, const std::string& to)
{
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
