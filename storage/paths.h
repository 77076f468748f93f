// Paths as the program holds them: Shift-JIS byte strings whose folders are
// separated by backslashes (or slashes). Every split walks whole characters,
// because the second byte of a double-byte character (表, ソ, 能, 予 ...) can
// be 0x5C, the backslash byte.
#pragma once

#include <cstddef>
#include <string>

// Where the last folder separator ("\" or "/") that is a character of its own
// lies, or npos when there is none.
std::size_t LastSeparator(const std::string& path);

// True when the path's last character is a folder separator.
bool EndsWithSeparator(const std::string& path);

// The folder part of a path, up to and including its last separator (empty
// when there is none), and the file name that follows it.
std::string FolderOf(const std::string& path);
std::string FileNameOf(const std::string& path);

// The path with the file name's extension (from the name's last ".") replaced
// by extension, e.g. ".tgw"; a name without a "." gets it appended.
std::string ReplaceExtension(const std::string& path, const char* extension);
