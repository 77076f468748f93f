// Preparing and showing the shared file dialog.
#include "storage/file_choice.h"

#include <cstring>

#include "game/front_end.h"
#include "shell/program_directory.h"
#include "storage/files.h"
#include "storage/paths.h"

FileChoice PrepareFileChoice(const char* previousPath, const char* filterName, const char* filterPattern)
{
    FileChoice choice;
    choice.filterName = filterName;
    choice.filterPattern = filterPattern;
    choice.folder = ProgramDirectory();
    if (!previousPath || std::strcmp(previousPath, "(null)") == 0 || !*previousPath || !FileExists(previousPath))
        return choice;
    choice.folder = FolderOf(previousPath);
    choice.name = FileNameOf(previousPath);
    return choice;
}

bool ShowFileChoice(const FileChoice& choice, bool save, std::string* path)
{
    char chosen[TextBufferSize];
    // A starting name too long for the dialog's buffer is left out.
    const char* name = choice.name.size() < sizeof chosen ? choice.name.c_str() : "";
    if (!ChooseFile(save, choice.filterName.c_str(), choice.filterPattern.c_str(), choice.folder.c_str(), name,
                    chosen, sizeof chosen))
        return false;
    chosen[sizeof chosen - 1] = '\0';
    *path = chosen;
    return true;
}
