// The Select Game dialog's texts: what a typed number deals, and the
// special-number entries as the list and the settings file keep them.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "dialogs/select_game.h"

TEST(GameNumberOfText, TakesTheWholeNumberAtTheStart)
{
    const struct {
        const char* text;
        int number;
    } cases[] = {
        {"-42", -42}, {" \t+17x", 17}, {"777            ", 777}, {"5 6", 5}, {"", 0}, {"abc", 0}, {"-", 0},
        {"- 4", 0}, {"--4", 0}, {"0x1F", 0}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"2147483648", INT_MAX}, {"-99999999999999999999999", INT_MIN},
        {"\x82\x50\x82\x51", 0},  // full-width digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.number, GameNumberOfText(c.text)) << c.text;
    EXPECT_EQ(0, GameNumberOfText(nullptr));
}

TEST(SpecialNumberEntry, PaddedNumberTabComment)
{
    const struct {
        std::string number, comment, entry;
    } cases[] = {
        {"777", "16x12(5)", "777            \t16x12(5)"},
        {"", "mine", "               \tmine"},
        {"1234567890123456", "c", "1234567890123456\tc"},
        // A line break or a bracket of the comment would break the settings
        // file; the brackets inside double-byte characters stay as they are.
        {"1", "a\r\n[S16x12(5)]", "1              \ta  (S16x12(5))"},
        {"2", "\x83\x8b\x81\x5b\x83\x8b]\x81\x5d", "2              \t\x83\x8b\x81\x5b\x83\x8b)\x81\x5d"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.entry, FormatSpecialNumberEntry(c.number, c.comment)) << c.comment;

    EXPECT_EQ("777            ", NumberOfSpecialNumberEntry("777            \t16x12(5)"));
    // The cut after 15 bytes keeps whole characters.
    EXPECT_EQ(std::string(14, '1'), NumberOfSpecialNumberEntry(std::string(14, '1') + "\x82\xa0\tc"));
}

TEST(SpecialNumberEntry, LongTextsAreCutToTheBufferOnAWholeCharacter)
{
    std::string entry = FormatSpecialNumberEntry(std::string(1016, '9'), std::string(6, 'c') + "\x95\x5c" + "zz");
    EXPECT_EQ(std::string(1016, '9') + "\t" + std::string(6, 'c'), entry);
    EXPECT_EQ(1023u, SafeSpecialNumberEntry(std::string(5000, 'x')).size());
}
