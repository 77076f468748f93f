// The toolbar, the click counter box, the score bar and the window's size.
#include "display/window_layout_win32.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "display/layout.h"
#include "display/painting_win32.h"
#include "game/board.h"
#include "game/scoring.h"
#include "resources/resource.h"
#include "storage/settings.h"

WindowBars windowBars;

static const int ToolbarImageCount = 6;

// The toolbar's picture with its light grey turned into the button face, as a
// bitmap of the screen's format.
static HBITMAP LoadToolbarPicture(HWND window, HINSTANCE instance)
{
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDB_TOOLBAR), reinterpret_cast<LPCSTR>(RT_BITMAP));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const auto* resource = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    DWORD size = found ? SizeofResource(instance, found) : 0;
    if (!resource || size < sizeof(BITMAPINFOHEADER))
        return nullptr;
    std::vector<BYTE> copy(resource, resource + size);
    auto* info = reinterpret_cast<BITMAPINFO*>(copy.data());
    if (info->bmiHeader.biSize != sizeof(BITMAPINFOHEADER) || info->bmiHeader.biBitCount > 8)
        return nullptr;
    DWORD colours = info->bmiHeader.biClrUsed ? info->bmiHeader.biClrUsed : 1u << info->bmiHeader.biBitCount;
    DWORD bitsOffset = info->bmiHeader.biSize + colours * sizeof(RGBQUAD);
    if (bitsOffset > size)
        return nullptr;
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (DWORD i = 0; i < colours; ++i) {
        RGBQUAD& entry = info->bmiColors[i];
        if (entry.rgbRed == 192 && entry.rgbGreen == 192 && entry.rgbBlue == 192) {
            entry.rgbRed = GetRValue(face);
            entry.rgbGreen = GetGValue(face);
            entry.rgbBlue = GetBValue(face);
            break;
        }
    }
    HDC dc = GetDC(window);
    HBITMAP bitmap = CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, copy.data() + bitsOffset, info,
                                    DIB_RGB_COLORS);
    ReleaseDC(window, dc);
    return bitmap;
}

static void CreateToolbar(HWND window, HINSTANCE instance)
{
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                                   WS_CHILD | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
                                   0, 0, 220, 32, window, nullptr, instance, nullptr);
    windowBars.toolbar = toolbar;
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(20, 20));
    TBADDBITMAP images = {nullptr, reinterpret_cast<UINT_PTR>(LoadToolbarPicture(window, instance))};
    SendMessageA(toolbar, TB_ADDBITMAP, ToolbarImageCount, reinterpret_cast<LPARAM>(&images));

    const struct { int image; int command; } order[] = {
        {-1, 0}, {0, IDM_NEW}, {-1, 0}, {1, IDM_RECORD}, {-1, 0}, {5, IDM_CONFIG},
        {-1, 0}, {2, IDM_AGAIN}, {3, IDM_UNDO}, {4, IDM_REDO},
    };
    std::vector<TBBUTTON> buttons;
    for (const auto& entry : order) {
        TBBUTTON button = {};
        button.iBitmap = entry.image < 0 ? 0 : entry.image;
        button.idCommand = entry.command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = entry.image < 0 ? BTNS_SEP : BTNS_BUTTON;
        buttons.push_back(button);
    }
    SendMessageA(toolbar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));

    // The counter box is made as a child of the main window, so that its
    // notifications come there, and then moved onto the toolbar.
    const LayoutBox place = ClickCounterPlace(GetSystemMetrics(SM_CYMENU));
    HWND counter = CreateWindowExA(WS_EX_CLIENTEDGE, "edit", "", WS_CHILD | WS_VISIBLE | ES_READONLY,
                                   place.x, place.y, place.width, place.height, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CLICKCOUNTER)), instance, nullptr);
    SendMessageA(counter, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetParent(counter, toolbar);
    MoveWindow(counter, place.x, place.y, place.width, place.height, FALSE);
    windowBars.clickCounter = counter;
}

void CreateBars(HWND window, HINSTANCE instance)
{
    CreateToolbar(window, instance);
    windowBars.scoreBar = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD, 0, 0, 0, 0, window, nullptr,
                                          instance, nullptr);
}

static int HeightOf(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    return rect.bottom - rect.top;
}

static Bars CurrentBars()
{
    Bars bars;
    bars.toolBar = settings.ToolBar != 0;
    bars.scoreBar = settings.ScoreBar != 0;
    bars.toolBarHeight = HeightOf(windowBars.toolbar);
    bars.scoreBarHeight = HeightOf(windowBars.scoreBar);
    return bars;
}

void ApplyBarSettings(bool toolBar, bool scoreBar)
{
    settings.ToolBar = toolBar ? 1 : 0;
    settings.ScoreBar = scoreBar ? 1 : 0;
    ShowWindow(windowBars.toolbar, toolBar ? SW_SHOW : SW_HIDE);
    ShowWindow(windowBars.scoreBar, scoreBar ? SW_SHOW : SW_HIDE);
    paintLayout.boardTop = BoardTop(CurrentBars());
}

static void ClearBelowToolbar(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    RECT area = client;
    area.top = paintLayout.boardTop - BoardTopMargin;
    if (settings.ScoreBar != 0) {
        RECT bar;
        GetWindowRect(windowBars.scoreBar, &bar);
        POINT top = {bar.left, bar.top};
        ScreenToClient(window, &top);
        area.bottom = top.y;
    }
    HDC dc = GetDC(window);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    ReleaseDC(window, dc);
}

static LayoutSize FrameOf(HWND window)
{
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}

void SizeWindow(int boardWidth, int boardHeight)
{
    HWND window = GetParent(windowBars.toolbar);
    StopTimer();
    const Bars bars = CurrentBars();
    ClearBelowToolbar(window);
    RECT outer;
    GetWindowRect(window, &outer);
    LayoutSize frame = FrameOf(window);
    LayoutSize size = WindowSize(boardWidth, boardHeight, frame, bars);
    SetWindowPos(window, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A narrow window may wrap its menu bar onto two lines: size it once more.
    LayoutSize measured = FrameOf(window);
    if (measured.height != frame.height) {
        size = WindowSize(boardWidth, boardHeight, measured, bars);
        SetWindowPos(window, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    GetWindowRect(window, &outer);
    const int windowWidth = outer.right - outer.left;
    int edges[ScoreBarFields];
    ScoreBarEdges(windowWidth, edges);
    std::memcpy(paintLayout.edges, edges, sizeof edges);
    SendMessageA(windowBars.scoreBar, SB_SETPARTS, ScoreBarFields, reinterpret_cast<LPARAM>(edges));
    for (std::string& text : windowBars.scoreBarTexts)
        text = "\x01";  // no text: every part is set afresh
    SetWindowPos(windowBars.toolbar, nullptr, 0, 0, boardWidth + ScoreBarStep(windowWidth), bars.toolBarHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    SendMessageA(windowBars.scoreBar, WM_SIZE, 0, 0);
    ShowClickCounter();
}

bool ApplyBarOptions(int y, int keys)
{
    const BarOptionDecision decision =
        BarOptionsForPointer(y, keys, board.ts, board.rows, CurrentBars(), settings.BarOptionAuto != 0);
    if (decision.toolBar != BarAction::Leave)
        ShowWindow(windowBars.toolbar, decision.toolBar == BarAction::Show ? SW_SHOW : SW_HIDE);
    if (decision.scoreBar != BarAction::Leave)
        ShowWindow(windowBars.scoreBar, decision.scoreBar == BarAction::Show ? SW_SHOW : SW_HIDE);
    if (decision.toolBar == BarAction::Show || decision.scoreBar == BarAction::Show)
        StopTimer();
    return decision.usedUp;
}

void RefreshPoppedUpToolbar()
{
    if (settings.ToolBar != 0 || !IsWindowVisible(windowBars.toolbar))
        return;
    ShowWindow(windowBars.toolbar, SW_HIDE);
    ShowWindow(windowBars.toolbar, SW_SHOW);
    UpdateWindow(windowBars.toolbar);
    ShowClickCounter();
}

void SetScoreBarPart(int part, const char* text)
{
    if (part >= 0 && part < ScoreBarFields) {
        if (windowBars.scoreBarTexts[part] == text)
            return;
        windowBars.scoreBarTexts[part] = text;
    }
    SendMessageA(windowBars.scoreBar, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
}

void SetClickCounterText(const char* text)
{
    SetWindowTextA(windowBars.clickCounter, text);
}

void EnableToolbarButton(int command, bool enabled)
{
    SendMessageA(windowBars.toolbar, TB_ENABLEBUTTON, static_cast<WPARAM>(command), MAKELPARAM(enabled ? TRUE : FALSE, 0));
}
