// The Configuration dialog: every setting a player can change in one place.
// The cell size, sheet size and number of kinds are working copies that OK
// applies (dealing a new game only when the sheet's shape changed); the tile
// picture, the music, the sounds, the blank cell and Clear Records act at once.
#include "shell/shell_win32.h"

#include <cstdint>
#include <string>

#include "dialogs/records_win32.h"
#include "display/canvas.h"
#include "display/layout.h"
#include "display/painting_win32.h"
#include "display/tile_set.h"
#include "display/window_layout_win32.h"
#include "game/board.h"
#include "game/game_files.h"
#include "game/session.h"
#include "resources/resource.h"
#include "shell/config.h"
#include "sound/music.h"
#include "sound/sound_win32.h"
#include "storage/file_choice.h"
#include "storage/records.h"
#include "storage/settings.h"
#include "storage/sheet.h"

static const char NoticeCaption[] = "Hanabo32";
static const char BitmapFilterName[] = "Bitmap";
static const char BitmapFilterPattern[] = "*.bmp";

// The preview shows this square of the tile picture, unscaled.
static const int PreviewSize = 32;

// The working copies while the dialog is open.
static SheetShape working;

static const int SpeedRadios[] = {IDC_CFG_NORMAL, IDC_CFG_SLOW, IDC_CFG_VERYSLOW};

static SheetShape CurrentShape()
{
    SheetShape shape;
    shape.columns = board.columns;
    shape.rows = board.rows;
    shape.ts = board.ts;
    shape.cellNo = settings.CellNo;
    return shape;
}

static bool IsChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

static void Check(HWND dialog, int id, bool on)
{
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

static void Enable(HWND dialog, int first, int last, bool on)
{
    for (int id = first; id <= last; ++id)
        EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE);
}

static void ShowNumberRadio(HWND dialog)
{
    CheckRadioButton(dialog, IDC_CFG_NUMBER3, IDC_CFG_NUMBER5, IDC_CFG_NUMBER3 + NumberChoiceOf(working.cellNo));
}

static void ShowSheetPreset(HWND dialog)
{
    CheckRadioButton(dialog, IDC_CFG_SHEETSMALL, IDC_CFG_CUSTOMIZE,
                     IDC_CFG_SHEETSMALL + static_cast<int>(PresetOfShape(working)));
}

// The bars' ranges for the working cell size, and their positions at the working counts.
static void SetBars(HWND dialog)
{
    const ScrollRange columns = ColumnRange(working.ts), rows = RowRange(working.ts);
    HWND columnBar = GetDlgItem(dialog, IDC_CFG_COLUMNBAR), rowBar = GetDlgItem(dialog, IDC_CFG_ROWBAR);
    SetScrollRange(columnBar, SB_CTL, columns.minimum, columns.maximum, FALSE);
    SetScrollRange(rowBar, SB_CTL, rows.minimum, rows.maximum, FALSE);
    SetScrollPos(columnBar, SB_CTL, working.columns, TRUE);
    SetScrollPos(rowBar, SB_CTL, working.rows, TRUE);
}

// The working counts from the bars (which keep them in range), the Sheet Size
// radio and the counts box.
static void RefreshCounts(HWND dialog)
{
    HWND columnBar = GetDlgItem(dialog, IDC_CFG_COLUMNBAR), rowBar = GetDlgItem(dialog, IDC_CFG_ROWBAR);
    working.columns = GetScrollPos(columnBar, SB_CTL);
    working.rows = GetScrollPos(rowBar, SB_CTL);
    SetScrollPos(columnBar, SB_CTL, working.columns, TRUE);
    SetScrollPos(rowBar, SB_CTL, working.rows, TRUE);
    ShowSheetPreset(dialog);
    SetDlgItemTextA(dialog, IDC_CFG_COUNTS, SheetCountsText(working.columns, working.rows).c_str());
}

// Where the blank-cell preview stands in the client area.
static RECT PreviewRect(HWND dialog)
{
    RECT button, frame, client;
    GetWindowRect(GetDlgItem(dialog, IDC_CFG_BLANKCELL), &button);
    GetWindowRect(dialog, &frame);
    GetClientRect(dialog, &client);
    const LayoutPoint at = BlankPreviewPlace(button.left, button.top, frame.left, frame.top,
                                             frame.bottom - frame.top, client.bottom);
    RECT rect = {at.x, at.y, at.x + PreviewSize, at.y + PreviewSize};
    return rect;
}

// The button's "Blank Cell %d" and the blank tile it chooses: the top 32 rows
// of the picture, at the chosen frame of an animated 32 set, else at its left.
static void DrawBlankPreview(HWND dialog, HDC dc)
{
    HWND button = GetDlgItem(dialog, IDC_CFG_BLANKCELL);
    const std::string label = BlankCellLabel(settings.BlankCell);
    char shown[64] = "";
    GetWindowTextA(button, shown, sizeof shown);
    if (label != shown)
        SetWindowTextA(button, label.c_str());
    if (!tileSet.loaded)
        return;
    const int left = tileSetInfo.kind == TileSetAnimated32 ? BlankCellFrame(settings.BlankCell) * PreviewSize : 0;
    std::uint32_t pixels[PreviewSize * PreviewSize];
    for (int y = 0; y < PreviewSize; ++y)
        for (int x = 0; x < PreviewSize; ++x)
            pixels[y * PreviewSize + x] = BitmapPixel(tileSet.picture, left + x, y);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = PreviewSize;
    info.bmiHeader.biHeight = -PreviewSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const RECT at = PreviewRect(dialog);
    SetDIBitsToDevice(dc, at.left, at.top, PreviewSize, PreviewSize, 0, 0, 0, PreviewSize, pixels, &info,
                      DIB_RGB_COLORS);
}

static void RedrawPreview(HWND dialog)
{
    const RECT at = PreviewRect(dialog);
    InvalidateRect(dialog, &at, TRUE);
}

// Controls that follow the tile set: the Number radios and "Bitmap Option"
// mean nothing for the road set (and the shape stays put in a campaign), and
// only an animated 32 set has blank cells to choose.
static void EnableForTileSet(HWND dialog)
{
    const bool road = tileSetInfo.kind == TileSetRoad;
    Enable(dialog, IDC_CFG_NUMBER3, IDC_CFG_NUMBER5, !road && !game.campaign);
    Enable(dialog, IDC_CFG_BITMAPOPTION, IDC_CFG_BITMAPOPTION, !road);
    Enable(dialog, IDC_CFG_BLANKCELL, IDC_CFG_BLANKCELL, tileSetInfo.kind == TileSetAnimated32);
}

// "Auto" and "Shift" only concern a bar that is off.
static void EnableBarOption(HWND dialog)
{
    const bool both = IsChecked(dialog, IDC_CFG_TOOLBAR) && IsChecked(dialog, IDC_CFG_SCOREBAR);
    Enable(dialog, IDC_CFG_AUTO, IDC_CFG_SHIFT, !both);
}

static void OnOpen(HWND dialog)
{
    CheckRadioButton(dialog, SpeedRadios[0], SpeedRadios[2], SpeedRadios[SpeedChoiceOf(settings.AnimIntrvl)]);
    working = CurrentShape();
    const int cellChoice = ChoiceOfCellSize(working.ts);
    if (cellChoice >= 0)
        CheckRadioButton(dialog, IDC_CFG_CELL4, IDC_CFG_CELL64, IDC_CFG_CELL4 + cellChoice);
    ShowNumberRadio(dialog);
    Check(dialog, IDC_CFG_BGM, settings.BGM != 0);
    Check(dialog, IDC_CFG_SOUND, settings.Sound != 0);
    Check(dialog, IDC_CFG_BITMAPOPTION, settings.AnimBMPOption != 0);
    Check(dialog, IDC_CFG_SCOREOPTION, settings.ScoreOption != 0);
    Check(dialog, IDC_CFG_TOOLBAR, settings.ToolBar != 0);
    Check(dialog, IDC_CFG_SCOREBAR, settings.ScoreBar != 0);
    EnableBarOption(dialog);
    CheckRadioButton(dialog, IDC_CFG_AUTO, IDC_CFG_SHIFT, settings.BarOptionAuto ? IDC_CFG_AUTO : IDC_CFG_SHIFT);
    SetBars(dialog);
    RefreshCounts(dialog);
    SetDlgItemTextA(dialog, IDC_CFG_BITMAPPATH, tileSet.bitmapPath.c_str());
    SetDlgItemTextA(dialog, IDC_CFG_MIDIPATH, settings.MIDI.c_str());
    EnableForTileSet(dialog);
    if (game.campaign) {
        Enable(dialog, IDC_CFG_CELL4, IDC_CFG_CELL64, false);
        Enable(dialog, IDC_CFG_SHEETSMALL, IDC_CFG_CUSTOMIZE, false);
        Enable(dialog, IDC_CFG_SCOREOPTION, IDC_CFG_SCOREOPTION, false);
        Enable(dialog, IDC_CFG_COLUMNBAR, IDC_CFG_ROWBAR, false);
    }
}

static void OnCellSize(HWND dialog, int ts)
{
    ChangeCellSize(&working, ts);
    SetBars(dialog);
    RefreshCounts(dialog);
}

static void OnSheetPreset(HWND dialog, SheetPreset preset)
{
    ApplySheetPreset(&working, preset);
    SetBars(dialog);
    RefreshCounts(dialog);
}

static ScrollStep StepOf(int code)
{
    switch (code) {
    case SB_LINELEFT: return ScrollStep::LineLeft;
    case SB_LINERIGHT: return ScrollStep::LineRight;
    case SB_PAGELEFT: return ScrollStep::PageLeft;
    case SB_PAGERIGHT: return ScrollStep::PageRight;
    case SB_THUMBPOSITION: return ScrollStep::Thumb;
    default: return ScrollStep::Other;
    }
}

static void OnScroll(HWND dialog, HWND bar, int code, int thumb)
{
    const int id = GetDlgCtrlID(bar);
    if (id != IDC_CFG_COLUMNBAR && id != IDC_CFG_ROWBAR)
        return;
    const ScrollRange range = id == IDC_CFG_COLUMNBAR ? ColumnRange(working.ts) : RowRange(working.ts);
    SetScrollPos(bar, SB_CTL, ScrolledPosition(GetScrollPos(bar, SB_CTL), StepOf(code), thumb, range), TRUE);
    RefreshCounts(dialog);
}

static void OnBitmap(HWND dialog)
{
    const FileChoice choice = PrepareFileChoice(tileSet.bitmapPath.c_str(), BitmapFilterName, BitmapFilterPattern);
    std::string path;
    if (!ShowFileChoice(choice, false, &path))
        return;
    // A picture that cannot be used gives the built-in tiles; the setting
    // keeps the path the player chose.
    settings.Bitmap = path;
    ApplyBitmapSetting(path.c_str());
    EnableForTileSet(dialog);
    working.cellNo = settings.CellNo;
    ShowNumberRadio(dialog);
    SetDlgItemTextA(dialog, IDC_CFG_BITMAPPATH, tileSet.bitmapPath.c_str());
    RedrawPreview(dialog);
    if (settings.AnimBMPOption)
        Check(dialog, IDC_CFG_BITMAPOPTION, true);
}

static void OnMusicFile(HWND dialog)
{
    if (settings.BGM)
        StopMusic();
    if (ChooseMusicFile())
        SetDlgItemTextA(dialog, IDC_CFG_MIDIPATH, settings.MIDI.c_str());
    if (settings.BGM)
        StartMusic();
}

static void OnMusicSwitch(HWND dialog)
{
    settings.BGM = IsChecked(dialog, IDC_CFG_BGM) ? 1 : 0;
    if (settings.BGM)
        StartMusic();
    else
        StopMusic();
}

static void OnBlankCell(HWND dialog)
{
    settings.BlankCell = NextBlankCell(settings.BlankCell);
    RedrawPreview(dialog);
    RebuildTilePictures();
    RedrawBoard();
}

static void OnClearRecords(HWND dialog)
{
    if (MessageBoxA(dialog, ClearRecordsQuestion().c_str(), NoticeCaption, MB_OKCANCEL) != IDOK)
        return;
    // Records won since the file was last written go into it first, so that
    // the backup holds every record the lists showed.
    SaveRecords();
    ClearRecords();
    RefreshRecordWindows();
}

static int CheckedSpeed(HWND dialog)
{
    if (IsChecked(dialog, IDC_CFG_NORMAL))
        return 0;
    return IsChecked(dialog, IDC_CFG_SLOW) ? 1 : 2;
}

static void OnOk(HWND dialog)
{
    settings.AnimIntrvl = IntervalOfSpeedChoice(CheckedSpeed(dialog));
    settings.BarOptionAuto = IsChecked(dialog, IDC_CFG_AUTO) ? 1 : 0;
    settings.Sound = IsChecked(dialog, IDC_CFG_SOUND) ? 1 : 0;
    settings.AnimBMPOption = IsChecked(dialog, IDC_CFG_BITMAPOPTION) ? 1 : 0;
    settings.ScoreOption = IsChecked(dialog, IDC_CFG_SCOREOPTION) ? 1 : 0;
    ApplyBarSettings(IsChecked(dialog, IDC_CFG_TOOLBAR), IsChecked(dialog, IDC_CFG_SCOREBAR));
    if (working == CurrentShape()) {
        // The game in progress goes on.
        SizeWindow(board.ts * board.columns, board.ts * board.rows);
        FullRepaint();
        EndDialog(dialog, 1);
        return;
    }
    board.ts = working.ts;
    settings.CellSize = working.ts;
    ResizeBoard(working.columns, working.rows);
    RebuildTilePictures();
    settings.CellNo = static_cast<signed char>(tileSetInfo.kind == TileSetRoad ? RoadTileValues : working.cellNo);
    SetBoardSize(working.columns, working.rows);
    SizeWindow(board.ts * board.columns, board.ts * board.rows);
    StartGame(false, false);
    EndDialog(dialog, 1);
}

static void OnCommand(HWND dialog, int id, int notice)
{
    if (id >= IDC_CFG_CELL4 && id <= IDC_CFG_CELL64) {
        if (notice == BN_CLICKED)
            OnCellSize(dialog, CellSizeOfChoice(id - IDC_CFG_CELL4));
        return;
    }
    if (id >= IDC_CFG_SHEETSMALL && id < IDC_CFG_CUSTOMIZE) {
        if (notice == BN_CLICKED)
            OnSheetPreset(dialog, static_cast<SheetPreset>(id - IDC_CFG_SHEETSMALL));
        return;
    }
    if (id >= IDC_CFG_NUMBER3 && id <= IDC_CFG_NUMBER5) {
        if (notice == BN_CLICKED)
            working.cellNo = 3 + (id - IDC_CFG_NUMBER3);
        return;
    }
    if (notice != BN_CLICKED)
        return;
    switch (id) {
    case IDC_CFG_TOOLBAR:
    case IDC_CFG_SCOREBAR:
        EnableBarOption(dialog);
        break;
    case IDC_CFG_BITMAP:
        OnBitmap(dialog);
        break;
    case IDC_CFG_BGMFILE:
        OnMusicFile(dialog);
        break;
    case IDC_CFG_BGM:
        OnMusicSwitch(dialog);
        break;
    case IDC_SELECTSOUND:
        RunSelectSound(dialog);
        break;
    case IDC_CFG_BLANKCELL:
        OnBlankCell(dialog);
        break;
    case IDC_CFG_CLEARRECORDS:
        OnClearRecords(dialog);
        break;
    case IDOK:
        OnOk(dialog);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    default:
        break;
    }
}

static INT_PTR CALLBACK ConfigProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetBoxOwner(dialog);
        OnOpen(dialog);
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_HSCROLL:
        OnScroll(dialog, reinterpret_cast<HWND>(lParam), LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(dialog, &paint);
        DrawBlankPreview(dialog, dc);
        EndPaint(dialog, &paint);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

int RunConfigDialog(HWND owner)
{
    const INT_PTR result = DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_CONFIG), owner, ConfigProc, 0);
    SetBoxOwner(nullptr);
    return result == 1 ? 1 : 0;
}
