// The program's files in awkward places: a folder whose name ends in a byte
// 0x5C, where games are saved, opened and refused and music that cannot play
// is reported at start-up; and a full disk.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/game_window.h"

namespace {

const char SaveDoneText[] = "Save\x8f\x49\x97\xb9";    // Save終了
const char SaveFailedText[] = "Save\x8e\xb8\x94\x73";  // Save失敗
const char InvalidFileText[] =
    "\x95\x73\x90\xb3\x82\xc8TGW\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xc5\x82\xb7";  // 不正なTGWファイルです
const char TempFileNotWrittenText[] =
    "\x88\xea\x8e\x9e\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xdc\x82\xb9"
    "\x82\xf1";  // 一時ファイルに書き込めません
const char CannotPlayText[] =
    "MIDI\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x8d\xc4\x90\xb6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";  // MIDIファイルを再生できません
const char ErrorCaption[] = "Hanabo32-Error";
// 表: a double-byte character whose second byte is the backslash's, 0x5C.
#define HYOU "\x95\x5c"

class Files : public GameWindowTest {};

}  // namespace

TEST_F(Files, SaveOpenAndMusicInAFolderEndingInA5CByte)
{
    const std::string directory = MakeWorkDirectory(HYOU);
    std::ofstream(directory + "Hanabo.ini", std::ios::binary)
        << "[Sound]\r\nBGM=1\r\nMIDI=" + directory + "missing.mid\r\n";
    std::ofstream(directory + "header.tgw", std::ios::binary) << "(null)\r\n32\r\n0\r\n";

    // The music's message comes before the main window shows.
    ASSERT_TRUE(LaunchProgram(program, directory));
    HWND box = WaitForDialog(program, ErrorCaption, 30000);
    ASSERT_NE(nullptr, box);
    for (HWND main : TopLevelWindows("Hanabo32", program.process.dwProcessId))
        EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_NE(std::string::npos, DialogTexts(box).find(CannotPlayText)) << DialogTexts(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForMainWindow(program));
    ASSERT_NO_FATAL_FAILURE(FindParts());

    // Save proposes a name; a name without an extension gets one.
    const std::string dealt = DealtBoard();
    std::string proposed;
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'S'}, "", &proposed));
    EXPECT_EQ("save1.tgw", proposed);
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'S'}, directory + HYOU));
    EXPECT_EQ(SaveDoneText, AnswerMessageBox(program).text);
    EXPECT_EQ(dealt, ReadWholeFile(directory + HYOU ".tgw"));

    // A move, then a file without rows: refused with a message, the game kept.
    const std::string title = Title();
    const BoardGroup move = LargestGroup(BoardOf(dealt));
    Click(move.column, move.row);
    ASSERT_EQ("1(1) Click", Counter());
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'O'}, directory + "header.tgw"));
    const MessageBoxTexts refused = AnswerMessageBox(program);
    EXPECT_EQ(InvalidFileText, refused.text);
    EXPECT_EQ(ErrorCaption, refused.caption);
    Settle(program.window, 200);
    EXPECT_EQ(title + " 1(1) Click", Title() + " " + Counter());

    // Open deals the saved board under its file's name.
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'O'}, directory + HYOU ".tgw"));
    EXPECT_EQ("IroGame " HYOU ".tgw", Title());
    EXPECT_EQ("0(0) Click", Counter());
    EXPECT_EQ(CountsText(dealt, 5), ShownCounts(5));

    // Ctrl+B asks for a MIDI file, the music being off: the shipped piece
    // plays silently through a minimise and a restore, until Ctrl+B stops it.
    const std::string piece = directory + "Hanabo.mid";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "Hanabo.mid").c_str(), piece.c_str(), FALSE));
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'B'}, piece));
    EXPECT_EQ(nullptr, WaitForDialog(program, ErrorCaption, 1500)) << "the shipped piece did not play";
    Keys({VK_ESCAPE});
    EXPECT_TRUE(IsIconic(program.window));
    SendWithin(program.window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(program.window));
    Keys({VK_CONTROL, 'B'});
    EXPECT_EQ(nullptr, WaitForDialog(program, ErrorCaption, 300));

    // Closed while minimised: no window place is written, the rest is, in the folder.
    Keys({VK_ESCAPE});
    ASSERT_TRUE(IsIconic(program.window));
    PostMessageA(program.window, WM_CLOSE, 0, 0);
    ASSERT_EQ(0, WaitForExit(program));
    const std::string ini = ReadWholeFile(directory + "Hanabo.ini");
    for (const std::string& line :
         {std::string("\r\nBGM=0\r\n"), "\r\nMIDI=" + piece + "\r\n", "\r\nPath=" + directory + "Sound\\\r\n"})
        EXPECT_NE(std::string::npos, ini.find(line)) << line << ini;
    EXPECT_EQ(std::string::npos, ini.find("\r\nForm")) << ini;
    // Nothing was written beside the folder under a name glued to its own.
    const std::string glued = directory.substr(0, directory.size() - 1);
    for (const char* name : {"Hanabo.ini", "Hanabo.tmp", HYOU ".tgw"})
        EXPECT_FALSE(FileExists(glued + name)) << name;
}

TEST_F(Files, AFullDiskIsToldAndLeavesNothingHalfWritten)
{
    // tools/e2e.sh mounts a small disk for this when it may.
    const std::string disk = Environment("HANABO_FULL_DISK");
    if (disk.empty())
        GTEST_SKIP() << "no small disk to fill (HANABO_FULL_DISK)";
    const std::string directory = MakeWorkDirectory("", disk + "\\");
    const std::string settings = "[system]\r\nCellNo=4\r\n";
    std::ofstream(directory + "Hanabo.ini", std::ios::binary) << settings;
    // The disk filled to the last byte.
    HANDLE filler = CreateFileA((directory + "filler").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, filler);
    std::vector<char> block(4096, 'x');
    DWORD total = 0, written = 0;
    for (DWORD size : {4096ul, 1ul})
        while (total < (16ul << 20) && WriteFile(filler, block.data(), size, &written, nullptr) && written == size)
            total += written;
    CloseHandle(filler);
    ASSERT_LT(total, 16ul << 20) << "the disk is not a small one";
    ASSERT_NO_FATAL_FAILURE(Start("", directory));

    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'S'}, directory + "full"));
    MessageBoxTexts box = AnswerMessageBox(program);
    EXPECT_EQ(SaveFailedText, box.text);
    EXPECT_EQ(ErrorCaption, box.caption);
    EXPECT_FALSE(FileExists(directory + "full.tgw"));
    EXPECT_FALSE(FileExists(directory + "full.tgw.tmp"));

    PostMessageA(program.window, WM_COMMAND, IDM_EXIT, 0);
    box = AnswerMessageBox(program);
    EXPECT_EQ(TempFileNotWrittenText, box.text);
    EXPECT_EQ(ErrorCaption, box.caption);
    ASSERT_EQ(0, WaitForExit(program));
    EXPECT_EQ(settings, ReadWholeFile(directory + "Hanabo.ini"));
    EXPECT_FALSE(FileExists(directory + "Hanabo.tmp"));
}
