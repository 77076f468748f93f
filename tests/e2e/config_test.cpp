// The Configuration dialog with the real pointer and keys: the sheet's shape,
// OK and Cancel, what acts at once (the blank cell and its preview, Clear
// Records, the file choices and the road set), and the choices written at exit.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "display/layout.h"
#include "shell/config.h"
#include "tests/e2e/game_window.h"

namespace {

// A 32 x 32 square of a picture file at (left, 0).
std::vector<std::uint32_t> PictureSquare(const std::string& path, int left)
{
    const Picture picture = ReadPicture(path);
    std::vector<std::uint32_t> square;
    for (int y = 0; y < 32 && picture.width >= left + 32; ++y)
        for (int x = 0; x < 32; ++x)
            square.push_back(picture.At(left + x, y));
    return square;
}

class Config : public GameWindowTest {
protected:
    // Opens the dialog by the toolbar's button or the menu bar's Alt+C.
    void Open(bool byToolbar)
    {
        if (byToolbar)
            PressButton(IDM_CONFIG);
        else
            PressKeys(program.window, {VK_MENU, 'C'});
        dialog = OpenedDialog(program, "Configure Game");
        ASSERT_NE(nullptr, dialog.window);
    }

    std::string ChooseFile(int button, const std::string& name) { return ChooseFileOver(dialog, button, name); }

    // The blank cell's preview on the screen, above its button.
    std::vector<std::uint32_t> Preview()
    {
        RECT button, frame, client;
        GetWindowRect(dialog.Item(IDC_CFG_BLANKCELL), &button);
        GetWindowRect(dialog.window, &frame);
        GetClientRect(dialog.window, &client);
        const LayoutPoint place =
            BlankPreviewPlace(button.left, button.top, frame.left, frame.top, frame.bottom - frame.top, client.bottom);
        POINT at = {place.x, place.y};
        ClientToScreen(dialog.window, &at);
        return ScreenPixels(RECT{at.x, at.y, at.x + 32, at.y + 32});
    }

    Dialog dialog;
};

}  // namespace

TEST_F(Config, ShapeOkCancelActionsAtOnceAndTheOtherChoices)
{
    const std::string directory = MakeWorkDirectory();
    const std::string jewels = directory + "Jewels32.bmp", road = directory + "Road.bmp";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "Jewels32.bmp").c_str(), jewels.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "Road.bmp").c_str(), road.c_str(), FALSE));
    std::ofstream(directory + "broken.bmp", std::ios::binary) << "BM not a picture";
    ASSERT_NO_FATAL_FAILURE(Start("[S16x12(5)]\r\nTester (24/01/02 03:04:05)=1234\r\n\r\n", directory));
    const std::string title = Title();
    const BoardGroup move = LargestGroup(BoardOf(DealtBoard()));
    POINT at = CellPoint(move.column, move.row);
    ClientToScreen(program.window, &at);
    ClickPointer(at.x, at.y);
    Settle(program.window, 300);
    ParkPointer();
    ASSERT_EQ("1(1) Click", Counter());

    // What opens: the settings as they are; OK keeps the game and its move.
    ASSERT_NO_FATAL_FAILURE(Open(true));
    EXPECT_EQ(SheetCountsText(16, 12), dialog.Text(IDC_CFG_COUNTS));
    for (int id : {IDC_CFG_CELL4 + 3, IDC_CFG_SHEETNORMAL, IDC_CFG_NUMBER5, IDC_CFG_NORMAL, IDC_CFG_TOOLBAR,
                   IDC_CFG_SCOREBAR, IDC_CFG_AUTO})
        EXPECT_TRUE(dialog.Checked(id)) << id;
    for (int id : {IDC_CFG_AUTO, IDC_CFG_SHIFT, IDC_CFG_CUSTOMIZE, IDC_CFG_BLANKCELL})
        EXPECT_FALSE(dialog.Enabled(id)) << id;  // both bars are on; the built-in tiles have one blank cell
    EXPECT_TRUE(dialog.Enabled(IDC_CFG_NUMBER3) && dialog.Enabled(IDC_CFG_BITMAPOPTION));
    SaveScreenshot(dialog.window, ArtifactPath("config_dialog.bmp"));
    ASSERT_TRUE(dialog.Close(IDOK));
    EXPECT_EQ(title, Title());
    Keys({VK_CONTROL, 'U'});
    EXPECT_EQ("0(1) Click", Counter());

    // 64-pixel cells, the column bar's right arrow, a preset; OK deals anew.
    ASSERT_NO_FATAL_FAILURE(Open(false));
    dialog.Press(IDC_CFG_CELL64);
    EXPECT_EQ(SheetCountsText(8, 6), dialog.Text(IDC_CFG_COUNTS));
    RECT bar;
    GetWindowRect(dialog.Item(IDC_CFG_COLUMNBAR), &bar);
    ClickPointer(bar.right - GetSystemMetrics(SM_CXHSCROLL) / 2, (bar.top + bar.bottom) / 2);
    Settle(dialog.window, 200);
    EXPECT_EQ(SheetCountsText(9, 6), dialog.Text(IDC_CFG_COUNTS));
    EXPECT_TRUE(dialog.Checked(IDC_CFG_CUSTOMIZE));
    dialog.Press(IDC_CFG_SHEETNORMAL);
    EXPECT_EQ(SheetCountsText(8, 6), dialog.Text(IDC_CFG_COUNTS));
    ASSERT_TRUE(dialog.Close(IDOK));
    EXPECT_NE(title, Title());
    EXPECT_EQ("0(0) Click", Counter());
    RECT size, now;
    GetClientRect(program.window, &size);
    const std::string game = Title();

    // Another picture acts at once; its blank cell, previewed, changes with
    // each press and stays through Cancel, which keeps the shape and the bars.
    ASSERT_NO_FATAL_FAILURE(Open(true));
    EXPECT_EQ("Bitmap", ChooseFile(IDC_CFG_BITMAP, jewels));
    ASSERT_TRUE(dialog.Enabled(IDC_CFG_BLANKCELL));
    EXPECT_EQ("Blank Cell 1", WindowText(dialog.Item(IDC_CFG_BLANKCELL)));
    EXPECT_EQ(PictureSquare(jewels, 0), Preview());
    dialog.Press(IDC_CFG_BLANKCELL);
    EXPECT_EQ("Blank Cell 2", WindowText(dialog.Item(IDC_CFG_BLANKCELL)));
    EXPECT_EQ(PictureSquare(jewels, 32), Preview());
    dialog.Press(IDC_CFG_CELL4 + 4);
    EXPECT_EQ(SheetCountsText(10, 8), dialog.Text(IDC_CFG_COUNTS));
    dialog.Press(IDC_CFG_TOOLBAR);
    EXPECT_TRUE(dialog.Enabled(IDC_CFG_AUTO) && dialog.Enabled(IDC_CFG_SHIFT));
    ASSERT_TRUE(dialog.Close(IDCANCEL));
    EXPECT_EQ(game, Title());
    GetClientRect(program.window, &now);
    EXPECT_TRUE(EqualRect(&size, &now));
    EXPECT_TRUE(IsWindowVisible(toolbar));

    // The Record dialog shows records until Clear Records (OK, not Cancel)
    // empties it, keeping the whole file as Hanabo.bak.
    PressButton(IDM_RECORD);
    const Dialog records = OpenedDialog(program, "Hanabo32-Record");
    ASSERT_NE(nullptr, records.window);
    EXPECT_GE(records.List(IDC_RECORD_SCORES).size(), 1u);
    ASSERT_NO_FATAL_FAILURE(Open(false));
    EXPECT_EQ("Blank Cell 2", WindowText(dialog.Item(IDC_CFG_BLANKCELL)));
    EXPECT_TRUE(dialog.Checked(IDC_CFG_CELL64) && dialog.Checked(IDC_CFG_TOOLBAR));
    const std::string ini = ReadWholeFile(directory + "Hanabo.ini");
    for (int answer : {IDCANCEL, IDOK}) {
        ClickControl(dialog.Item(IDC_CFG_CLEARRECORDS));
        EXPECT_TRUE(OpenedDialog(program, "Hanabo32").Answer(answer));
        Settle(dialog.window, 200);
        EXPECT_EQ(answer == IDOK ? "" : ini, ReadWholeFile(directory + "Hanabo.ini"));
        EXPECT_EQ(answer == IDOK ? ini : "", ReadWholeFile(directory + "Hanabo.bak"));
    }
    EXPECT_EQ(0u, records.List(IDC_RECORD_SCORES).size());
    EXPECT_EQ("Edit", records.Text(IDC_RECORD_HEADING));

    // The music's file choice, cancelled, changes nothing; the road set greys
    // the kinds; a file that is no picture gives the built-in tiles silently.
    const std::string music = dialog.Text(IDC_CFG_MIDIPATH);
    EXPECT_EQ("MIDI File", ChooseFile(IDC_CFG_BGMFILE, ""));
    EXPECT_EQ(music, dialog.Text(IDC_CFG_MIDIPATH));
    EXPECT_FALSE(dialog.Checked(IDC_CFG_BGM));
    EXPECT_EQ("Bitmap", ChooseFile(IDC_CFG_BITMAP, road));
    EXPECT_EQ(0u, Title().rfind("ZededUdoz", 0)) << Title();
    EXPECT_EQ(road, dialog.Text(IDC_CFG_BITMAPPATH));
    for (int id : {IDC_CFG_NUMBER3, IDC_CFG_NUMBER3 + 1, IDC_CFG_NUMBER5, IDC_CFG_BITMAPOPTION, IDC_CFG_BLANKCELL})
        EXPECT_FALSE(dialog.Enabled(id)) << id;
    EXPECT_EQ("Bitmap", ChooseFile(IDC_CFG_BITMAP, directory + "broken.bmp"));
    EXPECT_EQ(0u, Title().rfind("IroGame", 0)) << Title();
    EXPECT_TRUE(dialog.Enabled(IDC_CFG_NUMBER3) && dialog.Enabled(IDC_CFG_BITMAPOPTION));
    EXPECT_FALSE(dialog.Enabled(IDC_CFG_BLANKCELL));
    EXPECT_EQ(nullptr, WaitForDialog(program, "Hanabo32-Error", 300));

    // The other choices go through OK: four kinds, painted without the bars.
    const std::string before = Title();
    for (int id : {IDC_CFG_SLOW, IDC_CFG_TOOLBAR, IDC_CFG_SCOREBAR, IDC_CFG_SHIFT, IDC_CFG_SCOREOPTION,
                   IDC_CFG_NUMBER3 + 1})
        dialog.Press(id);
    ParkPointer();  // off the board, where it would highlight a group
    ASSERT_TRUE(dialog.Answer(IDOK));
    EXPECT_NE(before, Title());
    ASSERT_NO_FATAL_FAILURE(FindParts());
    EXPECT_FALSE(toolBarOn || scoreBarOn);
    EXPECT_EQ("", Differences(ClientShot(), Expected(DealtBoard(" --size 8x6 --cell 64 --kinds 4"),
                                                     " --cellno 4 --blank-cell 1", "config-64-expected.bmp")));
    SaveScreenshot(program.window, ArtifactPath("config-64.bmp"));

    Keys({VK_CONTROL, 'X'});
    EXPECT_EQ(0, WaitForExit(program));
    const std::string written = ReadWholeFile(directory + "Hanabo.ini");
    for (const std::string& line : {"SheetSizeX=8\r\nSheetSizeY=6\r\nCellSize=64\r\nCellNo=4\r\nBitmap=" + directory +
                                       "broken.bmp\r\nBlankCell=1\r\nAnimBMPOption=0\r\nAnimIntrvl=100\r\n",
                                   std::string("ScoreBar=0\r\nToolBar=0\r\nScoreOption=1\r\nBarOptionAuto=0\r\n")})
        EXPECT_NE(std::string::npos, written.find(line)) << line << written;
    EXPECT_EQ(std::string::npos, written.find("Tester")) << written;
}
