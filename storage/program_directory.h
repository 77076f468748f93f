// The program's own folder: the working directory at start-up, where every
// file of the program's own (settings, help, records backup) is kept.
#pragma once

#include <cstddef>

// Keeps a copy of dir with a trailing backslash; false (and no change) when it
// does not fit the 1024-byte path buffers.
bool SetProgramDirectory(const char* dir);

// The directory with its trailing backslash; empty until set.
const char* ProgramDirectory();

// Joins the directory and a fixed file name into out (size bytes); false when
// the result would not fit.
bool ProgramFile(const char* name, char* out, std::size_t size);
