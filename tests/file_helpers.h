// Files for the native tests: whole-file reads and writes, a ProgramDirectory
// of a test's own, rewrites cut short, and command-line programs run with
// their output captured.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "storage/files.h"
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
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string folder;
};

// The file operations of a program that dies before one step of a rewrite:
// 1 creating the temporary file, 2 writing it, 3 writing its second half,
// 4 closing it, 5 replacing the old file. From there on nothing reaches the
// disk, not even the removal of a temporary file that was not written whole.
inline int rewriteDiesBeforeStep = 0;
inline bool rewriteDied = false;

inline bool RewriteLivesTo(int step)
{
    rewriteDied = rewriteDied || step == rewriteDiesBeforeStep;
    return !rewriteDied;
}

inline FileOperations RewriteDyingBefore(int step)
{
    rewriteDiesBeforeStep = step;
    rewriteDied = false;
    FileOperations files;
    files.create = [](const std::string& path) { return RewriteLivesTo(1) ? DiskFiles.create(path) : nullptr; };
    files.write = [](std::FILE* file, const char* bytes, std::size_t size) {
        const std::size_t half = size / 2;
        return RewriteLivesTo(2) && DiskFiles.write(file, bytes, half) && RewriteLivesTo(3) &&
               DiskFiles.write(file, bytes + half, size - half);
    };
    files.close = [](std::FILE* file) { return DiskFiles.close(file) && RewriteLivesTo(4); };
    files.remove = [](const std::string& path) {
        if (!rewriteDied)
            DiskFiles.remove(path);
    };
    files.replace = [](const std::string& from, const std::string& to) {
        return RewriteLivesTo(5) && DiskFiles.replace(from, to);
    };
    return files;
}

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
