// Shift-JIS (code page 932) texts: the program's own texts, player names and
// paths are byte strings in which a double-byte character's second byte may
// look like an ASCII character, the backslash among them.
#pragma once

#include <cstddef>
#include <string>

// The text cut to at most maxBytes bytes without leaving half of a Shift-JIS
// double-byte character at the end.
std::string CutShiftJis(const std::string& text, std::size_t maxBytes);

// True for a byte that begins a Shift-JIS double-byte character.
bool IsShiftJisLeadByte(unsigned char byte);

// The length of the character at text[at]: 2 for a lead byte followed by a
// trail byte, else 1 (a stray lead byte counts as a character of its own).
std::size_t ShiftJisCharLength(const std::string& text, std::size_t at);
