// The fixture of the tests that play in the main window: starts the program
// with a settings file of the test's choosing, finds the window's parts, and
// ends the program and any box it left open.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "resources/resource.h"
#include "tests/e2e/harness.h"

// The small sheet the play flows use: 8 x 6 tiles of three kinds, as the
// settings file and as hanabo-tool's options.
const char SmallSheetSettings[] = "[system]\r\nSheetSizeX=8\r\nSheetSizeY=6\r\nCellNo=3\r\n";
const char SmallSheetOptions[] = " --size 8x6 --kinds 3";

// Records of a sheet ("8x6(3)") that no game can beat, so that the end of a
// game asks no name.
inline std::string UnbeatenRecords(const std::string& key)
{
    std::string records;
    for (const char* list : {"S", "C"}) {
        records += "[" + std::string(list) + key + "]\r\n";
        for (int i = 0; i < 10; ++i)
            records += *list == 'S' ? "A (96/03/20 00:00:00)=2147483647\r\n" : "A (96/03/20 00:00:00)=-1\r\n";
        records += "\r\n";
    }
    return records;
}

// The small sheet with such records.
inline std::string SmallSheetUnbeaten() { return SmallSheetSettings + UnbeatenRecords("8x6(3)"); }

class GameWindowTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (HWND box : TopLevelWindows("#32770", program.process.dwProcessId))
            PostMessageA(box, WM_CLOSE, 0, 0);
        StopProgram(program);
    }

    // Starts the program in a fresh directory (or the one given) whose
    // Hanabo.ini holds settings (no file when empty), and finds the toolbar,
    // the click counter on it and the score bar. Callers wrap it in
    // ASSERT_NO_FATAL_FAILURE, so that a failed start ends the case.
    void Start(const std::string& settings = "", std::string directory = "")
    {
        if (directory.empty())
            directory = MakeWorkDirectory();
        if (!settings.empty())
            std::ofstream(directory + "Hanabo.ini", std::ios::binary) << settings;
        ASSERT_TRUE(StartProgram(program, directory));
        toolbar = FindChild(program.window, "ToolbarWindow32");
        ASSERT_NE(nullptr, toolbar);
        counter = FindChild(toolbar, "Edit", IDC_CLICKCOUNTER);
        ASSERT_NE(nullptr, counter);
        scoreBar = FindChild(program.window, "msctls_statusbar32");
        ASSERT_NE(nullptr, scoreBar);
        RECT bar;
        GetWindowRect(toolbar, &bar);
        boardTop = IsWindowVisible(toolbar) ? bar.bottom - bar.top + 2 : 0;
    }

    // Runs a file dialog opened by keys: types the name (when given) and confirms.
    void ChooseInFileDialog(std::vector<WORD> keys, const std::string& name, std::string* proposed = nullptr)
    {
        PressKeys(program.window, keys);
        HWND dialog = WaitForWindow(program, "#32770");
        ASSERT_NE(nullptr, dialog);
        Settle(dialog, 300);
        HWND box = FileNameBox(dialog);
        ASSERT_NE(nullptr, box);
        if (proposed)
            *proposed = ControlText(box);
        if (!name.empty())
            SendWithin(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntilClosed(dialog));
    }

    // The middle of a cell of ts-pixel tiles, in client coordinates.
    POINT CellPoint(int column, int row, int ts = 32) const
    {
        return {2 + column * ts + ts / 2, boardTop + row * ts + ts / 2};
    }

    // Hovers over a cell and clicks it, each mouse message handled before the next.
    void ClickCell(int column, int row, int ts = 32) const
    {
        const POINT at = CellPoint(column, row, ts);
        SendWithin(program.window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        SendWithin(program.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendWithin(program.window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }

    RunningProgram program;
    HWND toolbar = nullptr;
    HWND counter = nullptr;
    HWND scoreBar = nullptr;
    int boardTop = 0;  // the board's top in client coordinates, below the toolbar
};
