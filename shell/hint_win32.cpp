// The Hint's worker thread and its result.
#include "shell/hint_win32.h"

#include "game/board.h"
#include "game/hint.h"
#include "game/scoring.h"
#include "shell/shell_win32.h"

namespace {

struct HintJob {
    HWND window;
    SolvePosition position;
    SolveObjective objective;
    SolveResult result;
};

// Whether a worker runs; only the main thread reads and writes it.
bool searching = false;

// How long the note that the Board can be cleared stays, in milliseconds.
const UINT NoteMilliseconds = 2000;

DWORD WINAPI SearchThread(LPVOID parameter)
{
    HintJob* job = static_cast<HintJob*>(parameter);
    SolveOptions options;
    options.threads = AllCores();
    job->result = Solve(job->position, job->objective, HintSeconds, options);
    if (!PostMessageA(job->window, WM_HINTREADY, 0, reinterpret_cast<LPARAM>(job)))
        delete job;
    return 0;
}

}  // namespace

void StartHint(HWND window)
{
    if (searching || board.cells.empty() || game.gameOver)
        return;
    HintJob* job = new HintJob{window, PositionOfGame(), HintObjective(), SolveResult()};
    if (!StartSearchThread(SearchThread, job)) {
        delete job;
        return;
    }
    searching = true;
}

bool StartSearchThread(LPTHREAD_START_ROUTINE routine, void* job)
{
    HANDLE thread = CreateThread(nullptr, 0, routine, job, 0, nullptr);
    if (thread == nullptr)
        return false;
    SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
    CloseHandle(thread);
    return true;
}

void OnHintReady(HWND window, LPARAM parameter)
{
    HintJob* job = reinterpret_cast<HintJob*>(parameter);
    searching = false;
    if (ShowHint(job->position, job->result))
        SetTimer(window, HintNoteTimerId, NoteMilliseconds, nullptr);
    delete job;
}

void OnHintNoteTimer(HWND window)
{
    KillTimer(window, HintNoteTimerId);
    ShowClickCounter();
}
