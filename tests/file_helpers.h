// Files for the native tests: whole-file reads and writes, a ProgramDirectory
// of a test's own, and command-line programs run with their output captured.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "storage/program_directory.h"

// The whole content of a file; empty when it cannot be read.
inline std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void Spill(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// A path of this process's own: ctest runs the tests of one file side by side.
inline std::string TempPath(const std::string& name)
{
    return ::testing::TempDir() + "hanabo_" + std::to_string(getpid()) + "_" + name;
}

// Each test that touches files gets an empty ProgramDirectory of its own: a
// fresh folder, whose name ends in "/" as the program's folder ends in "\".
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/hanabo_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = std::string(pattern) + "/";
        ASSERT_TRUE(SetProgramDirectory(folder.c_str()));
    }
    void TearDown() override
    {
        std::string command = "rm -rf '" + folder + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    std::string folder;
};

struct ProgramRun {
    int status;  // the exit status, -1 when the program did not exit
    std::string out;
    std::string err;
};

// Runs a command line with input as its standard input.
inline ProgramRun RunProgram(const std::string& commandLine, const std::string& input = "")
{
    std::string in = TempPath("in"), out = TempPath("out"), err = TempPath("err");
    Spill(in, input);
    int raw = std::system((commandLine + " <'" + in + "' >'" + out + "' 2>'" + err + "'").c_str());
    return ProgramRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
}
