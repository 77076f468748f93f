// Saved games as a player makes them: Save through the save dialog, Open
// through the open dialog, and Again going back to the opened file; and the
// program's files in awkward places: a folder whose name ends in a byte 0x5C,
// a full disk, a folder where the settings file should be.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/game_window.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/sheet.h"

namespace {

const char SaveDoneText[] = "Save\x8f\x49\x97\xb9";  // Save終了
const char SaveFailedText[] = "Save\x8e\xb8\x94\x73";  // Save失敗
const char InvalidFileText[] =
    "\x95\x73\x90\xb3\x82\xc8TGW\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xc5\x82\xb7";  // 不正なTGWファイルです
const char TempFileNotWrittenText[] =
    "\x88\xea\x8e\x9e\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xdc\x82\xb9"
    "\x82\xf1";  // 一時ファイルに書き込めません
const char NotReplacedText[] =
    "Hanabo.ini\x82\xaa\x8d\x58\x90\x56\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81\x42\x90\xdd\x92\xe8\x82\xcd"
    "Hanabo.tmp\x82\xc9\x8e\x63\x82\xb5\x82\xdc\x82\xb5\x82\xbd";  // Hanabo.iniが更新できません。設定はHanabo.tmpに残しました
const char ErrorCaption[] = "Hanabo32-Error";
// 表: a double-byte character whose second byte is the backslash's, 0x5C.
#define HYOU "\x95\x5c"

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Fills the disk that holds path with a file of that name, to the last byte;
// false when it cannot (or when the disk is not a small one).
bool FillDisk(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> block(4096, 'x');
    DWORD total = 0;
    DWORD written = 0;
    for (DWORD size : {4096ul, 1ul})
        while (total < (16ul << 20) && WriteFile(file, block.data(), size, &written, nullptr) && written == size)
            total += written;
    CloseHandle(file);
    return total < (16ul << 20);
}

class Files : public GameWindowTest {
protected:

    // The message box that follows a save: its text, then OK.
    std::string AnswerSaveMessage()
    {
        std::string text = AnswerMessageBox(program).text;
        Settle(program.window, 200);
        return text;
    }

    // Hovers over and clicks the largest group of the board (saved-game text).
    void RemoveLargestGroup(const std::string& board)
    {
        const BoardGroup move = LargestGroup(BoardOf(board));
        ASSERT_GE(move.size, 2);
        ClickCell(move.column, move.row);
    }

    std::string TileCounts()
    {
        std::string counts;
        for (int part = 0; part < 5; ++part)
            counts += StatusBarText(scoreBar, part) + "|";
        return counts;
    }

};

}  // namespace

// Saved games in a folder whose name ends in a byte 0x5C (表): Save writes
// the board as a .tgw whatever the extension typed, Open goes back to it and
// Again to the opened file, New forgets it; every file lands in the folder.
TEST_F(Files, SaveAndOpenInAFolderEndingInA5CByte)
{
    const std::string directory = MakeWorkDirectory(HYOU);
    ASSERT_NO_FATAL_FAILURE(Start("", directory));
    const int number = GameNumberOfTitle(WindowText(program.window));
    const std::string dealt = RunTool("deal " + std::to_string(number));
    ASSERT_FALSE(dealt.empty());

    std::string proposed;
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'S'}, "", &proposed));
    EXPECT_EQ("save1.tgw", proposed);
    EXPECT_EQ(SaveDoneText, AnswerSaveMessage());
    EXPECT_EQ(dealt, ReadWholeFile(directory + "save1.tgw"));

    // Whatever extension the player types, the file is a .tgw; the extension
    // is found after the last real backslash: "a.表" becomes "a.tgw".
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'S'}, directory + "game.txt", &proposed));
    EXPECT_EQ("save2.tgw", proposed);
    EXPECT_EQ(SaveDoneText, AnswerSaveMessage());
    EXPECT_EQ(dealt, ReadWholeFile(directory + "game.tgw"));
    EXPECT_FALSE(Exists(directory + "game.txt"));
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'S'}, directory + "a." HYOU));
    EXPECT_EQ(SaveDoneText, AnswerSaveMessage());
    EXPECT_TRUE(Exists(directory + "a.tgw"));
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'S'}, directory + HYOU));
    EXPECT_EQ(SaveDoneText, AnswerSaveMessage());

    const std::string countsAtStart = TileCounts();
    ASSERT_NO_FATAL_FAILURE(RemoveLargestGroup(dealt));
    ASSERT_EQ("1(1) Click", ControlText(counter));
    ASSERT_NE(countsAtStart, TileCounts());

    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'O'}, directory + "save1.tgw"));
    Settle(program.window, 300);
    EXPECT_EQ("IroGame save1.tgw", WindowText(program.window));
    EXPECT_EQ("0(0) Click", ControlText(counter));
    EXPECT_EQ(countsAtStart, TileCounts());

    // Again deals the opened file, not the game number.
    ASSERT_NO_FATAL_FAILURE(RemoveLargestGroup(dealt));
    ASSERT_EQ("1(1) Click", ControlText(counter));
    PressKeys(program.window, {VK_CONTROL, 'A'});
    Settle(program.window, 300);
    EXPECT_EQ("0(1) Click", ControlText(counter));
    EXPECT_EQ(countsAtStart, TileCounts());
    EXPECT_EQ("IroGame save1.tgw", WindowText(program.window));

    // A new game forgets the file.
    PressKeys(program.window, {VK_CONTROL, 'N'});
    Settle(program.window, 300);
    EXPECT_EQ(0u, WindowText(program.window).rfind("IroGame #", 0)) << WindowText(program.window);

    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'O'}, directory + HYOU ".tgw"));
    Settle(program.window, 300);
    EXPECT_EQ("IroGame " HYOU ".tgw", WindowText(program.window));

    PostMessageA(program.window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_EQ(0, WaitForExit(program));
    const std::string ini = ReadWholeFile(directory + "Hanabo.ini");
    EXPECT_NE(std::string::npos, ini.find("Path=" + directory + "Sound\\\r\n")) << ini;
    // Nothing was written beside the folder under a name glued to its own.
    const std::string glued = directory.substr(0, directory.size() - 1);
    for (const char* name : {"Hanabo.ini", "Hanabo.tmp", "save1.tgw"})
        EXPECT_FALSE(Exists(glued + name)) << name;
}

TEST_F(Files, GamesWithoutRowsAreRefusedAndAFolderNamedHanaboIniIsTold)
{
    const std::string directory = MakeWorkDirectory();
    ASSERT_TRUE(CreateDirectoryA((directory + "Hanabo.ini").c_str(), nullptr));
    std::ofstream(directory + "empty.tgw", std::ios::binary);
    std::ofstream(directory + "header.tgw", std::ios::binary) << "(null)\r\n32\r\n0\r\n";
    ASSERT_NO_FATAL_FAILURE(Start("", directory));
    const std::string title = WindowText(program.window);
    const std::string dealt = RunTool("deal " + std::to_string(GameNumberOfTitle(title)));
    const std::string countsAtStart = TileCounts();
    ASSERT_NO_FATAL_FAILURE(RemoveLargestGroup(dealt));
    ASSERT_EQ("1(1) Click", ControlText(counter));
    const std::string countsAfterMove = TileCounts();

    for (const char* name : {"empty.tgw", "header.tgw"}) {
        SCOPED_TRACE(name);
        ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'O'}, directory + name));
        MessageBoxTexts box = AnswerMessageBox(program);
        EXPECT_EQ(InvalidFileText, box.text);
        EXPECT_EQ(ErrorCaption, box.caption);
        Settle(program.window, 200);
        EXPECT_EQ(title, WindowText(program.window));
        EXPECT_EQ("1(1) Click", ControlText(counter));
        EXPECT_EQ(countsAfterMove, TileCounts());
    }
    // Undo still deals the game's own number.
    PressKeys(program.window, {VK_CONTROL, 'U'});
    Settle(program.window, 300);
    EXPECT_EQ("0(1) Click", ControlText(counter));
    EXPECT_EQ(countsAtStart, TileCounts());

    // The folder stays; the run's settings wait in Hanabo.tmp, and the player is told.
    PostMessageA(program.window, WM_COMMAND, IDM_EXIT, 0);
    MessageBoxTexts box = AnswerMessageBox(program);
    EXPECT_EQ(NotReplacedText, box.text);
    EXPECT_EQ(ErrorCaption, box.caption);
    ASSERT_EQ(0, WaitForExit(program));
    EXPECT_NE(0u, GetFileAttributesA((directory + "Hanabo.ini").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(0u, ReadWholeFile(directory + "Hanabo.tmp").rfind("[system]\r\nSheetSizeX=16\r\n", 0));
}

TEST_F(Files, AFullDiskIsToldAndLeavesNothingHalfWritten)
{
    // tools/e2e.sh mounts a small disk for this when it may.
    const char* disk = std::getenv("HANABO_FULL_DISK");
    if (!disk || !*disk)
        GTEST_SKIP() << "no small disk to fill (HANABO_FULL_DISK)";
    const std::string directory = MakeWorkDirectory("", std::string(disk) + "\\");
    const std::string settings = "[system]\r\nCellNo=4\r\n";
    std::ofstream(directory + "Hanabo.ini", std::ios::binary) << settings;
    ASSERT_TRUE(FillDisk(directory + "filler"));
    ASSERT_NO_FATAL_FAILURE(Start("", directory));

    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog({VK_CONTROL, 'S'}, directory + "full"));
    MessageBoxTexts box = AnswerMessageBox(program);
    EXPECT_EQ(SaveFailedText, box.text);
    EXPECT_EQ(ErrorCaption, box.caption);
    EXPECT_FALSE(Exists(directory + "full.tgw"));
    EXPECT_FALSE(Exists(directory + "full.tgw.tmp"));

    PostMessageA(program.window, WM_COMMAND, IDM_EXIT, 0);
    box = AnswerMessageBox(program);
    EXPECT_EQ(TempFileNotWrittenText, box.text);
    EXPECT_EQ(ErrorCaption, box.caption);
    ASSERT_EQ(0, WaitForExit(program));
    EXPECT_EQ(settings, ReadWholeFile(directory + "Hanabo.ini"));
    EXPECT_FALSE(Exists(directory + "Hanabo.tmp"));
}
