// The program's folder keeps one trailing backslash and never overruns its buffers.
#include "storage/program_directory.h"

#include <string>

#include <gtest/gtest.h>

TEST(ProgramDirectory, EndsWithExactlyOneBackslash)
{
    ASSERT_TRUE(SetProgramDirectory("C:\\Games\\Hanabo"));
    EXPECT_STREQ("C:\\Games\\Hanabo\\", ProgramDirectory());
    ASSERT_TRUE(SetProgramDirectory("C:\\"));
    EXPECT_STREQ("C:\\", ProgramDirectory());

    char path[1024];
    ASSERT_TRUE(ProgramFile("Hanabo.ini", path, sizeof path));
    EXPECT_STREQ("C:\\Hanabo.ini", path);
}

TEST(ProgramDirectory, RefusesWhatDoesNotFit)
{
    ASSERT_TRUE(SetProgramDirectory("C:\\Games"));
    std::string tooLong(1023, 'x');  // with its backslash and end it needs 1025 bytes
    EXPECT_FALSE(SetProgramDirectory(tooLong.c_str()));
    EXPECT_STREQ("C:\\Games\\", ProgramDirectory());
    EXPECT_TRUE(SetProgramDirectory(std::string(1022, 'x').c_str()));

    ASSERT_TRUE(SetProgramDirectory("C:\\Games"));
    char small[12];
    EXPECT_FALSE(ProgramFile("Hanabo.ini", small, sizeof small));
    char exact[20];
    EXPECT_TRUE(ProgramFile("Hanabo.ini", exact, sizeof exact));
}
