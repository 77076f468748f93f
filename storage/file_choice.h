// The one file request every file choice of the program reuses, and the rule
// that turns a previous path into its starting folder and name.
#pragma once

#include <string>

struct FileChoice {
    std::string filterName;      // e.g. "TGW File"
    std::string filterPattern;   // e.g. "*.tgw"
    std::string folder;          // the starting folder, ending with a backslash
    std::string name;            // the starting file name, possibly empty
};

// A previous path (null or "(null)" for none) that names an existing file
// starts the dialog in its folder with its name; anything else starts in
// ProgramDirectory with an empty name.
FileChoice PrepareFileChoice(const char* previousPath, const char* filterName, const char* filterPattern);
