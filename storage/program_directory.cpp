// The program's own folder and the paths of its fixed files.
#include "storage/program_directory.h"

#include <cstdio>
#include <cstring>

static const std::size_t PathBufferSize = 1024;
static char programDirectory[PathBufferSize];

bool SetProgramDirectory(const char* dir)
{
    std::size_t length = std::strlen(dir);
    bool needsBackslash = length == 0 || dir[length - 1] != '\\';
    if (length + (needsBackslash ? 1 : 0) + 1 > PathBufferSize)
        return false;
    std::memcpy(programDirectory, dir, length);
    if (needsBackslash)
        programDirectory[length++] = '\\';
    programDirectory[length] = '\0';
    return true;
}

const char* ProgramDirectory() { return programDirectory; }

bool ProgramFile(const char* name, char* out, std::size_t size)
{
    int written = std::snprintf(out, size, "%s%s", programDirectory, name);
    return written >= 0 && static_cast<std::size_t>(written) < size;
}
