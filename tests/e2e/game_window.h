// The fixture of the tests that play in the main window: starts the program
// with the test's settings, knows the boards it deals (dealt again by
// hanabo-tool, read with the program's own parser and rules) and compares the
// screen with the pictures board-picture draws.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "display/bitmap.h"
#include "resources/resource.h"
#include "rules/groups.h"
#include "storage/program_directory.h"
#include "storage/saved_game.h"
#include "storage/settings.h"
#include "tests/e2e/harness.h"

// The small sheet on which a game ends after a dozen moves.
const char SmallSheetSettings[] = "[system]\r\nSheetSizeX=8\r\nSheetSizeY=6\r\nCellNo=3\r\n";
const char SmallSheetOptions[] = " --size 8x6 --kinds 3";

// Record lists of a sheet ("8x6(3)"), by default ones that no game beats.
inline std::string Records(const std::string& key, const std::string& score = "2147483647",
                           const std::string& rest = "-1")
{
    std::string records;
    for (const char* list : {"S", "C"}) {
        records += "[" + std::string(list) + key + "]\r\n";
        for (int i = 0; i < 10; ++i)
            records += "A (96/03/20 00:00:00)=" + (*list == 'S' ? score : rest) + "\r\n";
        records += "\r\n";
    }
    return records;
}

inline std::string SmallSheetUnbeaten() { return SmallSheetSettings + Records("8x6(3)"); }

// The settings the program reads from text (no file when empty) in directory.
inline Settings SettingsRead(const std::string& directory, const std::string& text)
{
    SetProgramDirectory(directory.c_str());
    Settings read;
    ReadSettings(text.empty() ? nullptr : text.c_str(), &read);
    return read;
}

// The Board of a saved game's text; 0 x 0 when the text is not one.
inline Board BoardOf(const std::string& savedGame)
{
    SavedGame sheet;
    ParseSavedGame(savedGame, &sheet);
    return Board{sheet.columns, sheet.rows, sheet.tileSize, sheet.cells};
}

// The largest group, or the first lone tile; column -1 when there is none.
inline BoardGroup LargestGroup(const Board& board)
{
    BoardGroup largest{-1, -1, 0};
    for (const BoardGroup& group : GroupsOf(board, GameMode::IroGame))
        largest = group.size > largest.size ? group : largest;
    return largest;
}
inline BoardGroup LoneTile(const Board& board)
{
    for (const BoardGroup& group : GroupsOf(board, GameMode::IroGame))
        if (group.size == 1)
            return group;
    return BoardGroup{-1, -1, 0};
}

// "C,R", as hanabo-tool reads a move.
inline std::string MoveText(const BoardGroup& move)
{
    return std::to_string(move.column) + "," + std::to_string(move.row);
}

// The tile counts of a board (saved-game text), as ShownCounts reads them.
inline std::string CountsText(const std::string& board, int kinds)
{
    const TileCounts counts = CountTiles(BoardOf(board), GameMode::IroGame);
    std::string text;
    for (int kind = 1; kind <= kinds; ++kind)
        text += std::to_string(counts.count[kind]) + " ";
    return text;
}

// The click counter's text at move index of count.
inline std::string CounterText(int index, int count)
{
    char text[64];
    std::snprintf(text, sizeof text, index < 2 ? "%d(%d) Click" : "%d(%d) Clicks", index, count);
    return text;
}

// Pixels 0x00RRGGBB, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A .bmp file read with the program's own reader; 0 x 0 when it cannot be.
inline Picture ReadPicture(const std::string& path)
{
    const std::string bytes = ReadWholeFile(path);
    Bitmap bitmap;
    Picture picture;
    if (ReadBitmap(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &bitmap))
        picture = Picture{bitmap.width, bitmap.height, {}};
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(BitmapPixel(bitmap, x, y));
    return picture;
}

inline std::string Hex(std::uint32_t colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour & 0xFFFFFF));
    return text;
}

inline int Height(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

class GameWindowTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (HWND box : TopLevelWindows("#32770", program.process.dwProcessId))
            PostMessageA(box, WM_CLOSE, 0, 0);
        StopProgram(program);
    }

    // Starts the program in a fresh directory (or the one given) with a
    // Hanabo.ini of settings, if any; wrapped in ASSERT_NO_FATAL_FAILURE.
    void Start(const std::string& settings = "", std::string directory = "")
    {
        if (directory.empty())
            directory = MakeWorkDirectory();
        if (!settings.empty())
            std::ofstream(directory + "Hanabo.ini", std::ios::binary) << settings;
        ASSERT_TRUE(StartProgram(program, directory));
        FindParts();
    }

    // The toolbar, its click counter and the score bar, and where the board is.
    void FindParts()
    {
        toolbar = FindChild(program.window, "ToolbarWindow32");
        counter = FindChild(toolbar, "Edit", IDC_CLICKCOUNTER);
        scoreBar = FindChild(program.window, "msctls_statusbar32");
        ASSERT_TRUE(toolbar && counter && scoreBar);
        toolBarOn = IsWindowVisible(toolbar) != FALSE;
        scoreBarOn = IsWindowVisible(scoreBar) != FALSE;
        boardTop = toolBarOn ? Height(toolbar) + 2 : 0;
    }

    std::string Title() const { return WindowText(program.window); }
    // N of a title "IroGame #N"; 0 without one.
    int Number() const
    {
        const std::string title = Title();
        return title.find('#') == std::string::npos ? 0 : std::atoi(title.c_str() + title.find('#') + 1);
    }
    std::string Counter() const { return ControlText(counter); }
    std::string Field(int part) const { return StatusBarText(scoreBar, part); }
    // The tile counts of the score bar, fields 0 to kinds - 1.
    std::string ShownCounts(int kinds) const
    {
        std::string text;
        for (int i = 0; i < kinds; ++i)
            text += Field(i) + " ";
        return text;
    }
    // The board the program dealt, as hanabo-tool deals its number.
    std::string DealtBoard(const std::string& options = "") const
    {
        return RunTool("deal " + std::to_string(Number()) + options);
    }

    // The middle of a cell, in client coordinates.
    POINT CellPoint(int column, int row) const { return {2 + column * ts + ts / 2, boardTop + row * ts + ts / 2}; }
    // Mouse messages on a cell, each handled before the next.
    void Mouse(int column, int row, UINT message, WPARAM keys = 0) const
    {
        SendWithin(program.window, message, keys, MAKELPARAM(CellPoint(column, row).x, CellPoint(column, row).y));
    }
    void Hover(int column, int row, WPARAM keys = 0) const { Mouse(column, row, WM_MOUSEMOVE, keys); }
    void Click(int column, int row) const
    {
        Hover(column, row);
        Mouse(column, row, WM_LBUTTONDOWN, MK_LBUTTON);
        Mouse(column, row, WM_LBUTTONUP);
    }
    void RightClick(int column, int row) const
    {
        Mouse(column, row, WM_RBUTTONDOWN, MK_RBUTTON);
        Mouse(column, row, WM_RBUTTONUP);
    }

    // Keys to the main window, then time to handle them; a menu item by its letters.
    void Keys(std::vector<WORD> keys) const
    {
        PressKeys(program.window, std::move(keys));
        Settle(program.window, 300);
    }
    void MenuItem(WORD menu, WORD item) const
    {
        Keys({VK_MENU, menu});
        Keys({item});
    }

    // Presses a toolbar button with the real pointer.
    void PressButton(int command) const
    {
        SetForegroundWindow(program.window);
        ClickRect(ToolbarButtonRect(toolbar, command));
        Settle(program.window, 300);
        ParkPointer();
    }

    // A file dialog opened by keys, or by a dialog's button: the name typed
    // and confirmed (cancelled when empty); the file type offered.
    void ChooseInFileDialog(std::vector<WORD> keys, const std::string& name, std::string* proposed = nullptr)
    {
        PressKeys(program.window, keys);
        HWND chooser = WaitForWindow(program, "#32770");
        ASSERT_NE(nullptr, chooser);
        AnswerFileDialog(chooser, name, proposed);
        Settle(program.window, 300);
    }
    std::string ChooseFileOver(const Dialog& owner, int button, const std::string& name) const
    {
        ClickControl(owner.Item(button));
        for (DWORD waited = 0; waited < WindowWait; waited += 50, Sleep(50))
            for (HWND window : TopLevelWindows("#32770", program.process.dwProcessId))
                if (GetWindow(window, GW_OWNER) == owner.window && IsWindowVisible(window)) {
                    const std::string type = AnswerFileDialog(window, name);
                    Settle(owner.window, 300);
                    return type;
                }
        return "no file dialog";
    }

    // The client area as it is on the screen.
    Picture ClientShot() const
    {
        RECT client;
        GetClientRect(program.window, &client);
        MapWindowPoints(program.window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        return Picture{client.right - client.left, client.bottom - client.top, ScreenPixels(client)};
    }

    // The client area board-picture draws for a saved game (text), the
    // picture's options and the window's bars; kept as an artifact.
    Picture Expected(const std::string& game, const std::string& pictureOptions, const std::string& name) const
    {
        const std::string file = program.directory + "expected.tgw", out = ArtifactPath(name);
        std::ofstream(file, std::ios::binary) << game;
        RECT window;
        GetWindowRect(program.window, &window);
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        const std::string folder = ProgramFolder();
        const std::string arguments =
            "\"" + file + "\" \"" + out + "\" \"" + folder + "builtin\\tiles.bmp\" \"" + folder +
            "builtin\\baricons.bmp\"" + pictureOptions + " --toolbar " +
            std::to_string(toolBarOn ? Height(toolbar) : 0) + " --score-bar " +
            std::to_string(scoreBarOn ? Height(scoreBar) : 0) + " --window-width " +
            std::to_string(window.right - window.left) + " --face " +
            Hex((GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face));
        long exitCode = -1;
        RunProgram(folder + "board-picture.exe", arguments, "", &exitCode);
        EXPECT_EQ(0, exitCode) << arguments;
        return ReadPicture(out);
    }

    // The differences in the rows board painting owns, from the frame's top
    // line to the score bar; empty when none.
    std::string Differences(const Picture& shot, const Picture& expected) const
    {
        if (shot.width != expected.width || shot.height != expected.height)
            return "client " + std::to_string(shot.width) + "x" + std::to_string(shot.height) + ", expected " +
                   std::to_string(expected.width) + "x" + std::to_string(expected.height);
        int count = 0;
        std::string first;
        for (int y = boardTop > 0 ? boardTop - 1 : 0; y < shot.height - (scoreBarOn ? Height(scoreBar) : 0); ++y)
            for (int x = 0; x < shot.width; ++x)
                if (shot.At(x, y) != expected.At(x, y) && count++ == 0)
                    first = " first at (" + std::to_string(x) + ", " + std::to_string(y) + "): " +
                            Hex(shot.At(x, y)) + " instead of " + Hex(expected.At(x, y));
        return count == 0 ? "" : std::to_string(count) + " pixels differ;" + first;
    }

    // The pixels of a cell in a client-area picture.
    std::vector<std::uint32_t> CellPixels(const Picture& shot, int column, int row) const
    {
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < ts; ++y)
            for (int x = 0; x < ts; ++x)
                pixels.push_back(shot.At(2 + column * ts + x, boardTop + row * ts + y));
        return pixels;
    }

    RunningProgram program;
    HWND toolbar = nullptr;
    HWND counter = nullptr;
    HWND scoreBar = nullptr;
    bool toolBarOn = true;
    bool scoreBarOn = true;
    int boardTop = 0;  // the board's top in client coordinates, below the toolbar
    int ts = 32;       // the tile size of the sheet played
};
