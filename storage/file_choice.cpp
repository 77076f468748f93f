// Preparing the shared file dialog: its starting folder and name.
#include "storage/file_choice.h"

#include <cstring>

#include "storage/files.h"
#include "storage/program_directory.h"
#include "storage/sheet.h"

FileChoice PrepareFileChoice(const char* previousPath, const char* filterName, const char* filterPattern)
{
    FileChoice choice;
    choice.filterName = filterName;
    choice.filterPattern = filterPattern;
    choice.folder = ProgramDirectory();
    if (!previousPath || std::strcmp(previousPath, NoBitmapPath) == 0 || !*previousPath || !FileExists(previousPath))
        return choice;
    std::string path = previousPath;
    // Windows takes either slash as a folder separator.
    std::size_t slash = path.find_last_of("\\/");
    choice.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    choice.name = slash == std::string::npos ? path : path.substr(slash + 1);
    return choice;
}
