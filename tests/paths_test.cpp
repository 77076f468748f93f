// Paths split a whole character at a time: Shift-JIS names whose second byte
// is 0x5C (表 95 5C, ソ 83 5C, 能 94 5C, 予 97 5C) are no folder separators.
#include "storage/paths.h"

#include <string>

#include <gtest/gtest.h>

#include "storage/program_directory.h"

#define HYOU "\x95\x5c"
#define SO "\x83\x5c"
#define NOU "\x94\x5c"
#define YO "\x97\x5c"

TEST(Paths, SplitWholeCharacters)
{
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
        const char* tgw;   // with the extension ".tgw"
    };
    const Case cases[] = {
        {"C:\\Games\\" HYOU, "C:\\Games\\", HYOU, "C:\\Games\\" HYOU ".tgw"},
        {"C:\\Games\\" HYOU "\\", "C:\\Games\\" HYOU "\\", "", "C:\\Games\\" HYOU "\\.tgw"},
        {"C:\\" SO "\\a.txt", "C:\\" SO "\\", "a.txt", "C:\\" SO "\\a.tgw"},
        {"C:\\x\\a." HYOU, "C:\\x\\", "a." HYOU, "C:\\x\\a.tgw"},
        {"C:\\x\\a.b.c", "C:\\x\\", "a.b.c", "C:\\x\\a.b.tgw"},
        {"C:\\" NOU ".d\\" YO, "C:\\" NOU ".d\\", YO, "C:\\" NOU ".d\\" YO ".tgw"},
        {"Z:/tmp/" HYOU "/b.c.tgw", "Z:/tmp/" HYOU "/", "b.c.tgw", "Z:/tmp/" HYOU "/b.c.tgw"},
        {HYOU SO, "", HYOU SO, HYOU SO ".tgw"},
        {"\xb1\\\xb2", "\xb1\\", "\xb2", "\xb1\\\xb2.tgw"},          // half-width kana are single bytes
        {"C:\\a\\\x95", "C:\\a\\", "\x95", "C:\\a\\\x95.tgw"},      // a lead byte with nothing after it
        {"game.", "", "game.", "game.tgw"},
        {"", "", "", ".tgw"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FolderOf(c.path), c.folder);
        EXPECT_EQ(FileNameOf(c.path), c.name);
        EXPECT_EQ(ReplaceExtension(c.path, ".tgw"), c.tgw);
        EXPECT_EQ(EndsWithSeparator(c.path), *c.name == '\0' && *c.folder != '\0');
    }
}

// The program's folder keeps exactly one trailing backslash (a last byte 0x5C
// of a double-byte character is none) and never overruns its buffers.
TEST(ProgramDirectory, EndsWithExactlyOneBackslashAndRefusesWhatDoesNotFit)
{
    const struct {
        const char* dir;
        const char* kept;
    } cases[] = {
        {"C:\\Games\\Hanabo", "C:\\Games\\Hanabo\\"}, {"C:\\", "C:\\"},
        {"C:\\Games\\" HYOU, "C:\\Games\\" HYOU "\\"},   {"Z:\\tmp\\" SO, "Z:\\tmp\\" SO "\\"},
        {"C:\\" NOU YO, "C:\\" NOU YO "\\"},                  {"C:\\Games\\" HYOU "\\", "C:\\Games\\" HYOU "\\"},
    };
    char path[1024];
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dir);
        ASSERT_TRUE(SetProgramDirectory(c.dir));
        EXPECT_STREQ(ProgramDirectory(), c.kept);
        ASSERT_TRUE(ProgramFile("Hanabo.ini", path, sizeof path));
        EXPECT_EQ(std::string(path), std::string(c.kept) + "Hanabo.ini");
    }

    ASSERT_TRUE(SetProgramDirectory("C:\\Games"));
    std::string tooLong(1023, 'x');  // with its backslash and end it needs 1025 bytes
    EXPECT_FALSE(SetProgramDirectory(tooLong.c_str()));
    EXPECT_STREQ("C:\\Games\\", ProgramDirectory());
    char small[12];
    EXPECT_FALSE(ProgramFile("Hanabo.ini", small, sizeof small));
    char exact[20];
    EXPECT_TRUE(ProgramFile("Hanabo.ini", exact, sizeof exact));
    EXPECT_TRUE(SetProgramDirectory(std::string(1022, 'x').c_str()));
}
