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

TEST(Paths, ProgramDirectoryEndingInA5CByteGetsItsBackslash)
{
    for (const char* dir : {"C:\\Games\\" HYOU, "Z:\\tmp\\" SO, "C:\\" NOU YO}) {
        ASSERT_TRUE(SetProgramDirectory(dir));
        EXPECT_EQ(std::string(ProgramDirectory()), std::string(dir) + "\\");
        char path[1024];
        ASSERT_TRUE(ProgramFile("Hanabo.ini", path, sizeof path));
        EXPECT_EQ(std::string(path), std::string(dir) + "\\Hanabo.ini");
    }
    ASSERT_TRUE(SetProgramDirectory("C:\\Games\\" HYOU "\\"));
    EXPECT_STREQ(ProgramDirectory(), "C:\\Games\\" HYOU "\\");
}
