// The folder browser's rules for names and paths, on Shift-JIS text: which
// directory entries are listed, the path an item stands for, and walking a
// path down the tree.
#pragma once

#include <string>
#include <vector>

// The directory attribute alone: a folder that is also read-only, hidden,
// system or archive is not listed.
const unsigned long ListedFolderAttributes = 0x10;

// True for an entry the browser lists: a folder with exactly the directory
// attribute, other than "." and "..".
bool IsListedFolder(unsigned long attributes, const char* name);

// True when the text ends with a backslash character (not a Shift-JIS second
// byte that happens to be 0x5C).
bool EndsWithBackslash(const std::string& text);

// The path of an item from the names of the drive down to it, each followed by
// a backslash unless it already ends in one: "C:\", "windows", "media" give
// "C:\windows\media\".
std::string JoinItemNames(const std::vector<std::string>& names);

// The text with A-Z lowered, second bytes of double-byte characters untouched.
std::string LowerShiftJis(const std::string& text);

// Whether an item's name (a backslash appended when it has none) begins rest,
// comparing without case.
bool ItemBeginsPath(const std::string& name, const std::string& rest);

// What is left of rest past its next backslash (empty when it has none).
std::string PastNextBackslash(const std::string& rest);
