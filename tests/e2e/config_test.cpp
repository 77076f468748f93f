// The Configuration dialog as a player meets it, with the real pointer and
// keys: the sheet's shape changed through a cell size, a scroll bar and a
// preset, OK with and without a change, Cancel; then what acts at once: the
// blank cell and its preview, Clear Records, Select Sound, the file choices
// and the road set; last the other choices, applied by OK and written at exit.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "display/layout.h"
#include "tests/e2e/game_window.h"

namespace {

const char Caption[] = "Configure Game";

std::string Counts(int columns, int rows)
{
    return std::to_string(columns) + " Column(\x97\xf1)  " + std::to_string(rows) + " Row(\x8d\x73)";  // 列, 行
}

// A 32 x 32 square of a picture file at (left, 0).
std::vector<std::uint32_t> PictureSquare(const std::string& path, int left)
{
    const std::string bytes = ReadWholeFile(path);
    Bitmap picture;
    std::vector<std::uint32_t> square;
    if (ReadBitmap(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &picture))
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                square.push_back(BitmapPixel(picture, left + x, y));
    return square;
}

class Config : public GameWindowTest {
protected:
    // Opens the dialog by the toolbar's Config button or by the menu bar's
    // "Config(&C)" with Alt+C.
    void Open(bool byToolbar)
    {
        if (byToolbar)
            PressButton(IDM_CONFIG);
        else
            PressKeys(program.window, {VK_MENU, 'C'});
        dialog = OpenedDialog(program, Caption);
        ASSERT_NE(nullptr, dialog.window);
    }

    void Close(int button)
    {
        ASSERT_TRUE(dialog.Close(button));
        Settle(program.window, 300);
    }

    // Removes the largest group of the dealt board with the real pointer.
    void PlayLargestGroup()
    {
        const BoardGroup move = LargestGroup(BoardOf(DealtBoard()));
        ASSERT_GE(move.size, 2);
        POINT at = CellPoint(move.column, move.row);
        ClientToScreen(program.window, &at);
        MovePointer(at.x, at.y);
        Settle(program.window, 200);
        ClickPointer(at.x, at.y);
        Settle(program.window, 300);
        ParkPointer();
    }

    std::string ChooseFile(int button, const std::string& name) { return ChooseFileOver(dialog, button, name); }

    // The blank cell's preview on the screen: 32 x 32 at its place above the
    // "Blank Cell" button.
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

    std::string ClientWidthHeight()
    {
        RECT client;
        GetClientRect(program.window, &client);
        return std::to_string(client.right) + "x" + std::to_string(client.bottom);
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
    ASSERT_NO_FATAL_FAILURE(PlayLargestGroup());
    ASSERT_EQ("1(1) Click", Counter());

    // What opens: the settings as they are.
    ASSERT_NO_FATAL_FAILURE(Open(true));
    EXPECT_EQ(Counts(16, 12), dialog.Text(IDC_CFG_COUNTS));
    for (int id : {IDC_CFG_CELL4 + 3, IDC_CFG_SHEETNORMAL, IDC_CFG_NUMBER5, IDC_CFG_NORMAL, IDC_CFG_TOOLBAR,
                   IDC_CFG_SCOREBAR, IDC_CFG_AUTO})
        EXPECT_TRUE(dialog.Checked(id)) << id;
    for (int id : {IDC_CFG_AUTO, IDC_CFG_SHIFT, IDC_CFG_CUSTOMIZE, IDC_CFG_BLANKCELL})
        EXPECT_FALSE(dialog.Enabled(id)) << id;  // both bars are on; the built-in tiles have one blank cell
    EXPECT_TRUE(dialog.Enabled(IDC_CFG_NUMBER3) && dialog.Enabled(IDC_CFG_BITMAPOPTION));
    RECT main, box, both;
    GetWindowRect(program.window, &main);
    GetWindowRect(dialog.window, &box);
    UnionRect(&both, &main, &box);
    SaveScreenRect(both, ArtifactPath("config_dialog.bmp"));

    // OK without a change: the same game and its move, which Undo takes back.
    ASSERT_NO_FATAL_FAILURE(Close(IDOK));
    EXPECT_EQ(title, Title());
    EXPECT_EQ("1(1) Click", Counter());
    Keys({VK_CONTROL, 'U'});
    EXPECT_EQ("0(1) Click", Counter());

    // 64-pixel cells keep the sheet's pixels; the column bar's right arrow
    // adds a column, the Normal preset takes the bars back; OK deals anew.
    ASSERT_NO_FATAL_FAILURE(Open(false));
    dialog.Press(IDC_CFG_CELL64);
    EXPECT_EQ(Counts(8, 6), dialog.Text(IDC_CFG_COUNTS));
    RECT bar;
    GetWindowRect(dialog.Item(IDC_CFG_COLUMNBAR), &bar);
    ClickPointer(bar.right - GetSystemMetrics(SM_CXHSCROLL) / 2, (bar.top + bar.bottom) / 2);
    Settle(dialog.window, 200);
    EXPECT_EQ(Counts(9, 6), dialog.Text(IDC_CFG_COUNTS));
    EXPECT_TRUE(dialog.Checked(IDC_CFG_CUSTOMIZE));
    dialog.Press(IDC_CFG_SHEETNORMAL);
    EXPECT_EQ(Counts(8, 6), dialog.Text(IDC_CFG_COUNTS));
    ASSERT_NO_FATAL_FAILURE(Close(IDOK));
    EXPECT_NE(title, Title());
    EXPECT_EQ("0(0) Click", Counter());
    ts = 64;
    const std::string size = ClientWidthHeight();
    const std::string newTitle = Title();

    // 48-pixel cells and other choices, then Cancel: the 64-pixel sheet stays.
    ASSERT_NO_FATAL_FAILURE(Open(true));
    dialog.Press(IDC_CFG_CELL4 + 4);
    EXPECT_EQ(Counts(10, 8), dialog.Text(IDC_CFG_COUNTS));
    dialog.Press(IDC_CFG_SLOW);
    dialog.Press(IDC_CFG_TOOLBAR);
    EXPECT_TRUE(dialog.Enabled(IDC_CFG_AUTO) && dialog.Enabled(IDC_CFG_SHIFT));
    ASSERT_NO_FATAL_FAILURE(Close(IDCANCEL));
    EXPECT_EQ(newTitle, Title());
    EXPECT_EQ(size, ClientWidthHeight());
    EXPECT_TRUE(IsWindowVisible(toolbar));

    // Reopened as before. Another picture acts at once: its blank cell,
    // whose preview shows each frame of the picture's top row, changes with
    // each press and stays through Cancel.
    ASSERT_NO_FATAL_FAILURE(Open(false));
    EXPECT_TRUE(dialog.Checked(IDC_CFG_CELL64) && dialog.Checked(IDC_CFG_NORMAL) && dialog.Checked(IDC_CFG_TOOLBAR));
    EXPECT_EQ(Counts(8, 6), dialog.Text(IDC_CFG_COUNTS));
    EXPECT_EQ("Bitmap", ChooseFile(IDC_CFG_BITMAP, jewels));
    ASSERT_TRUE(dialog.Enabled(IDC_CFG_BLANKCELL));
    EXPECT_EQ("Blank Cell 1", WindowText(dialog.Item(IDC_CFG_BLANKCELL)));
    EXPECT_EQ(PictureSquare(jewels, 0), Preview());
    dialog.Press(IDC_CFG_BLANKCELL);
    EXPECT_EQ("Blank Cell 2", WindowText(dialog.Item(IDC_CFG_BLANKCELL)));
    EXPECT_EQ(PictureSquare(jewels, 32), Preview());
    ASSERT_NO_FATAL_FAILURE(Close(IDCANCEL));

    // The Record dialog shows the records until Clear Records empties it;
    // Cancel changes nothing, OK keeps the whole file as Hanabo.bak.
    PressButton(IDM_RECORD);
    Dialog records = OpenedDialog(program, "Hanabo32-Record");
    ASSERT_NE(nullptr, records.window);
    EXPECT_GE(records.List(IDC_RECORD_SCORES).size(), 1u);
    ASSERT_NO_FATAL_FAILURE(Open(false));
    EXPECT_EQ("Blank Cell 2", WindowText(dialog.Item(IDC_CFG_BLANKCELL)));
    const std::string ini = ReadWholeFile(directory + "Hanabo.ini");
    const std::string asked = "\x8d\xa1\x82\xdc\x82\xc5\x82\xcc\x8b\x4c\x98\x5e\x82\xcd" + directory +
                              "Hanabo.bak\x82\xc9\x95\xdb\x91\xb6\x82\xb3\x82\xea\x82\xdc\x82\xb7";  // 今までの記録は%sに保存されます
    for (int answer : {IDCANCEL, IDOK}) {
        ClickControl(dialog.Item(IDC_CFG_CLEARRECORDS));
        Dialog question = OpenedDialog(program, "Hanabo32");
        ASSERT_NE(nullptr, question.window);
        EXPECT_NE(std::string::npos, DialogTexts(question.window).find(asked)) << DialogTexts(question.window);
        EXPECT_TRUE(question.Answer(answer));
        Settle(dialog.window, 200);
        EXPECT_EQ(answer == IDOK ? "" : ini, ReadWholeFile(directory + "Hanabo.ini"));
        EXPECT_EQ(answer == IDOK ? ini : "", ReadWholeFile(directory + "Hanabo.bak"));
    }
    EXPECT_EQ(0u, records.List(IDC_RECORD_SCORES).size());
    EXPECT_EQ("Edit", records.Text(IDC_RECORD_HEADING));

    // Select Sound opens over the dialog; the music's file choice,
    // cancelled, changes nothing.
    ClickControl(dialog.Item(IDC_SELECTSOUND));
    Dialog sounds = OpenedDialog(program, "Select Sound");
    ASSERT_NE(nullptr, sounds.window);
    EXPECT_EQ(dialog.window, GetWindow(sounds.window, GW_OWNER));
    EXPECT_TRUE(sounds.Answer(IDCANCEL));
    const std::string music = dialog.Text(IDC_CFG_MIDIPATH);
    EXPECT_EQ("MIDI File", ChooseFile(IDC_CFG_BGMFILE, ""));
    EXPECT_EQ(music, dialog.Text(IDC_CFG_MIDIPATH));
    EXPECT_FALSE(dialog.Checked(IDC_CFG_BGM));

    // The road set: ZededUdoz at once, the Number radios and Bitmap Option
    // greyed; a file that is no picture gives the built-in tiles without a word.
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

    // The other choices go through OK: four kinds deal a new game, which is
    // painted without the toolbar as board-picture paints it.
    const std::string game = Title();
    for (int id : {IDC_CFG_SLOW, IDC_CFG_TOOLBAR, IDC_CFG_SHIFT, IDC_CFG_SCOREOPTION, IDC_CFG_NUMBER3 + 1})
        dialog.Press(id);
    ASSERT_NO_FATAL_FAILURE(Close(IDOK));
    EXPECT_NE(game, Title());
    ASSERT_NO_FATAL_FAILURE(FindParts());
    EXPECT_FALSE(toolBarOn);
    EXPECT_EQ("", Differences(ClientShot(), Expected(DealtBoard(" --size 8x6 --cell 64 --kinds 4"),
                                                     " --cellno 4 --blank-cell 1", "config-64-expected.bmp")));
    SaveScreenshot(program.window, ArtifactPath("config-64.bmp"));

    Keys({VK_CONTROL, 'X'});
    EXPECT_EQ(0, WaitForExit(program));
    const std::string written = ReadWholeFile(directory + "Hanabo.ini");
    for (const std::string& line : {"SheetSizeX=8\r\nSheetSizeY=6\r\nCellSize=64\r\nCellNo=4\r\nBitmap=" + directory +
                                       "broken.bmp\r\nBlankCell=1\r\nAnimBMPOption=0\r\nAnimIntrvl=100\r\n",
                                   std::string("ScoreBar=1\r\nToolBar=0\r\nScoreOption=1\r\nBarOptionAuto=0\r\n")})
        EXPECT_NE(std::string::npos, written.find(line)) << line << written;
    EXPECT_EQ(std::string::npos, written.find("Tester")) << written;
}
