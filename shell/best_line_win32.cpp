// The best line's worker thread and its progress dialog.
#include "shell/best_line_win32.h"

#include <atomic>
#include <cstdio>

#include "game/best_line.h"
#include "game/board.h"
#include "game/hint.h"
#include "resources/resource.h"
#include "shell/shell_win32.h"

namespace {

struct BestLineJob {
    HWND window;
    SolvePosition position;
    SolveObjective objective;
    SolveResult result;
    std::atomic<bool> stop{false};
};

// The search that runs, if any, and its dialog; only the main thread uses them.
struct BestLineSearch {
    BestLineJob* job = nullptr;
    HWND dialog = nullptr;
    DWORD started = 0;
} search;

const UINT_PTR ProgressTimerId = 1;

// "探索中… %d秒" (searching… seconds).
const char ProgressFormat[] = "\x92\x54\x8d\xf5\x92\x86\x81\x63 %d\x95\x62";

DWORD WINAPI SearchThread(LPVOID parameter)
{
    BestLineJob* job = static_cast<BestLineJob*>(parameter);
    SolveOptions options;   // one thread, so that every machine finds the same line
    options.stop = &job->stop;
    options.playoutLimit = BestLinePlayouts;
    job->result = Solve(job->position, job->objective, BestLineSeconds, options);
    if (!PostMessageA(job->window, WM_BESTLINEREADY, 0, reinterpret_cast<LPARAM>(job)))
        delete job;
    return 0;
}

void ShowProgress(HWND dialog)
{
    char text[64];
    std::snprintf(text, sizeof text, ProgressFormat, static_cast<int>((GetTickCount() - search.started) / 1000));
    SetDlgItemTextA(dialog, IDC_BESTLINE_PROGRESS, text);
}

void CloseDialog()
{
    if (search.dialog)
        DestroyWindow(search.dialog);
    search.dialog = nullptr;
}

INT_PTR CALLBACK BestLineProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ShowProgress(dialog);
        SetTimer(dialog, ProgressTimerId, 250, nullptr);
        return TRUE;
    case WM_TIMER:
        ShowProgress(dialog);
        return TRUE;
    case WM_COMMAND:
        // Cancel: the worker stops at once and its line is dropped.
        if (LOWORD(wParam) == IDCANCEL && search.job) {
            search.job->stop = true;
            CloseDialog();
        }
        return TRUE;
    case WM_DESTROY:
        KillTimer(dialog, ProgressTimerId);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

void StartBestLine(HWND window)
{
    if (search.job || board.cells.empty() || game.gameOver)
        return;
    BestLineJob* job = new BestLineJob{window, PositionOfGame(), HintObjective(), SolveResult()};
    HANDLE thread = CreateThread(nullptr, 0, SearchThread, job, 0, nullptr);
    if (thread == nullptr) {
        delete job;
        return;
    }
    SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
    CloseHandle(thread);
    search.job = job;
    search.started = GetTickCount();
    search.dialog = CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(IDD_BESTLINE), window, BestLineProc, 0);
    if (search.dialog)
        ShowWindow(search.dialog, SW_SHOW);
}

void OnBestLineReady(HWND, LPARAM parameter)
{
    BestLineJob* job = reinterpret_cast<BestLineJob*>(parameter);
    const bool cancelled = job->stop.load();
    search.job = nullptr;
    CloseDialog();
    if (!cancelled)
        LoadBestLine(job->position, job->result);
    delete job;
}
