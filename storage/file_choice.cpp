// Preparing the shared file dialog: its starting folder and name.
#include "storage/file_choice.h"

#include <cstring>

#include "storage/files.h"
#include "storage/paths.h"
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
    choice.folder = FolderOf(previousPath);
    choice.name = FileNameOf(previousPath);
    return choice;
}
