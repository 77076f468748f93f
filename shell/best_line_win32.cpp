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
    HWND window = nullptr;
    SolvePosition position;
    SolveObjective objective = SolveObjective::Score;
    SolveResult result;
    std::atomic<bool> stop{false};
    SolveProgress progress;
};

// The search that runs, if any, and its dialog; only the main thread uses them.
struct BestLineSearch {
    BestLineJob* job = nullptr;
    HWND dialog = nullptr;
    DWORD started = 0;
} search;

const UINT_PTR ProgressTimerId = 1;

// "探索中… %d%%  %d秒" (searching… share of the playouts, seconds), and with
// "最高 %lld点" (the best score so far) once a line is finished.
#define SEARCHING "\x92\x54\x8d\xf5\x92\x86\x81\x63 %d%%  "
#define SECONDS "%d\x95\x62"
const char ProgressFormat[] = SEARCHING SECONDS;
const char BestProgressFormat[] = SEARCHING "\x8d\xc5\x8d\x82 %lld\x93\x5f  " SECONDS;
#undef SEARCHING
#undef SECONDS

DWORD WINAPI SearchThread(LPVOID parameter)
{
    BestLineJob* job = static_cast<BestLineJob*>(parameter);
    SolveOptions options;   // one thread, so that every machine finds the same line
    options.stop = &job->stop;
    options.playoutLimit = BestLinePlayouts;
    options.progress = &job->progress;
    job->result = Solve(job->position, job->objective, BestLineSeconds, options);
    if (!PostMessageA(job->window, WM_BESTLINEREADY, 0, reinterpret_cast<LPARAM>(job)))
        delete job;
    return 0;
}

void ShowProgress(HWND dialog)
{
    if (!search.job)
        return;
    const long long done = search.job->progress.playouts.load();
    const int percent = static_cast<int>((done < BestLinePlayouts ? done : BestLinePlayouts) * 100 / BestLinePlayouts);
    const int seconds = static_cast<int>((GetTickCount() - search.started) / 1000);
    long long value = 0, score = 0;
    int rest = 0;
    char text[96];
    if (search.job->progress.Best(&value, &score, &rest))
        std::snprintf(text, sizeof text, BestProgressFormat, percent, score, seconds);
    else
        std::snprintf(text, sizeof text, ProgressFormat, percent, seconds);
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
    BestLineJob* job = new BestLineJob;
    job->window = window;
    job->position = PositionOfGame();
    job->objective = HintObjective();
    if (!StartSearchThread(SearchThread, job)) {
        delete job;
        return;
    }
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
