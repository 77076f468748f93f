// The program's own files: where they live, reading them whole, and rewriting
// them so that one complete copy exists at every moment.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "storage/shift_jis.h"

// The program's own files in ProgramDirectory: the settings with the records,
// the temporary file every rewrite goes through, and Clear Records' backup.
extern const char SettingsFileName[];   // "Hanabo.ini"
extern const char TempFileName[];       // "Hanabo.tmp"
extern const char BackupFileName[];     // "Hanabo.bak"

// The path of one of the program's own files in ProgramDirectory.
std::string ProgramFilePath(const char* name);

// Paths and composed texts are held to the program's 1024-byte buffers.
const std::size_t TextBufferSize = 1024;

// The whole file as bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string* text);

// True when a file of that name exists and can be read (a folder is no file).
bool FileExists(const std::string& path);

// Why ReadWholeFile failed: true when there is simply no such file, false when
// a file is there but cannot be read (so it must not be replaced).
bool FileIsAbsent(const std::string& path);

// TempFileNotCreated: the temporary file could not be created;
// TempFileNotWritten: it was, but not all of the text reached the disk (a full
// disk), and what there was of it is removed again; NotReplaced: it was
// written whole but did not take the old file's place, and is left as it is.
enum class RewriteResult { Rewritten, TempFileNotCreated, TempFileNotWritten, NotReplaced };

// What a rewrite does to the disk. DiskFiles does it; the crash-safety tests
// pass operations that fail at a chosen step, as if the program died there.
struct FileOperations {
    std::FILE* (*create)(const std::string& path);   // null when it cannot be made
    bool (*write)(std::FILE* file, const char* bytes, std::size_t size);   // false unless all went in
    bool (*close)(std::FILE* file);                  // false when buffered bytes did not reach the disk
    void (*remove)(const std::string& path);
    bool (*replace)(const std::string& from, const std::string& to);
};
extern const FileOperations DiskFiles;

// Writes text whole to tempPath, checking every write and the close, then
// lets it take the place of path in one step. Until that step path is
// untouched; after it path is the new text. On any failure path still holds
// its old contents.
RewriteResult RewriteFile(const std::string& path, const std::string& tempPath, const std::string& text,
                          const FileOperations& files = DiskFiles);

// Only the first part of a rewrite, for an old file that must not be
// replaced: NotReplaced when the text was written whole and left in tempPath.
RewriteResult WriteTempFile(const std::string& tempPath, const std::string& text,
                            const FileOperations& files = DiskFiles);

// Moves from onto to, replacing an existing to in one step (MoveFileExA with
// MOVEFILE_REPLACE_EXISTING on Windows, rename elsewhere).
bool ReplaceFileWith(const std::string& from, const std::string& to);

// The next line of a text from *pos, without its line end (LF, or CR LF),
// moving *pos past it; false at the end. A last line without an end counts,
// an empty piece after the last line end does not.
bool NextLine(std::string_view text, std::size_t* pos, std::string_view* line);

// The lines of a text, as NextLine reads them. At most maxLines + 1 lines are
// split off, so that a caller can tell a text that has more lines than it
// takes without splitting all of them.
std::vector<std::string> SplitLines(const std::string& text, std::size_t maxLines = std::string::npos);


// The decimal number at the start of a text after blanks, as the C library
// reads one: sign, digits, a fraction and, when exponent is set, an exponent.
// Nothing numeric, and a value too large to hold, give 0.
double LeadingDecimal(const char* text, bool exponent = true);

