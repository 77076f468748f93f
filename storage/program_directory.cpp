// The program's own folder and the paths of its fixed files.
#include "storage/program_directory.h"

#include <cstdio>
#include <cstring>

#include "storage/paths.h"

static const std::size_t PathBufferSize = 1024;
static char programDirectory[PathBufferSize];

bool SetProgramDirectory(const char* dir)
{
    std::size_t length = std::strlen(dir);
    // A folder whose last character is double-byte may end in the byte 0x5C
    // and still need its backslash.
    bool needsBackslash = !EndsWithSeparator(dir);
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
