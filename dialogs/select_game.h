// The Select Game dialog's texts: the number typed in the NumberBox, and the
// special-number entries "%-15s\t%s" that keep a number with a comment.
#pragma once

#include <cstddef>
#include <string>

// The number column of an entry: the number as typed, padded to this width.
const std::size_t SpecialNumberWidth = 15;

// The GameNumber a typed text deals: leading blanks, an optional sign and
// the digits that follow; anything else ends the number and a text without
// digits gives 0. A number beyond 32 bits is held at the nearest end.
int GameNumberOfText(const char* text);

// The entry for a number and its comment: the number padded with spaces to
// SpecialNumberWidth bytes, a tab, the comment; made safe as SafeSpecialNumberEntry does.
std::string FormatSpecialNumberEntry(const std::string& number, const std::string& comment);

// An entry as the list keeps it and the settings file stores it as one
// "N%d=" line: line breaks become spaces, and single-byte brackets become
// parentheses, so that no section header of the file (each ends in a
// single-byte "]") can be found inside it; cut to the program's text buffer
// without half a double-byte character.
std::string SafeSpecialNumberEntry(const std::string& entry);

// What a double click on an entry puts into the NumberBox: its first
// SpecialNumberWidth bytes (the padded number), without half a character.
std::string NumberOfSpecialNumberEntry(const std::string& entry);
