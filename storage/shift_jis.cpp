// Walking Shift-JIS texts by whole characters.
#include "storage/shift_jis.h"

bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t ShiftJisCharLength(const std::string& text, std::size_t at)
{
    if (at + 1 >= text.size() || !IsShiftJisLeadByte(static_cast<unsigned char>(text[at])))
        return 1;
    unsigned char trail = static_cast<unsigned char>(text[at + 1]);
    return trail >= 0x40 && trail <= 0xFC && trail != 0x7F ? 2 : 1;
}

std::string CutShiftJis(const std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    // Walk whole characters from the start: a trail byte can have the value
    // of a lead byte, so the byte at the cut alone does not tell.
    std::size_t end = 0;
    while (end < maxBytes) {
        std::size_t width = ShiftJisCharLength(text, end);
        if (end + width > maxBytes)
            break;
        end += width;
    }
    return text.substr(0, end);
}
