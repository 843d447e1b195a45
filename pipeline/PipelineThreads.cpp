#include "pipeline/PipelineThreads.h"

#include "ui/MainDlg.h"

#include <process.h>

#include <new>

namespace {

// The window a worker reports to, fixed when it was started: a worker that
// outlives its dialog must never report to a later one.
thread_local HWND t_hWndReport = nullptr;

struct ThreadStart {
    unsigned(__stdcall* proc)(void*);
    void* arg;
    HWND hWndReport;
};

unsigned __stdcall PipelineThreadEntry(void* param)
{
    ThreadStart start = *static_cast<ThreadStart*>(param);
    delete static_cast<ThreadStart*>(param);
    t_hWndReport = start.hWndReport;
    return start.proc(start.arg);
}

} // namespace

HWND PipelineWindow() { return g_pMainDlg != nullptr ? g_pMainDlg->m_hWnd : nullptr; }

void PostToPipeline(UINT msg, WPARAM wParam, LPARAM lParam)
{
    ::PostMessageW(t_hWndReport != nullptr ? t_hWndReport : PipelineWindow(), msg, wParam, lParam);
}

void StartPipelineThread(unsigned(__stdcall* proc)(void*), void* arg)
{
    auto* start = new (std::nothrow) ThreadStart{proc, arg, PipelineWindow()};
    if (start == nullptr) {
        PostToPipeline(WM_DOWN_ERROR, ERROR_NOT_ENOUGH_MEMORY, DOWN_ERR_SYSTEM);
        return;
    }
    uintptr_t thread = _beginthreadex(nullptr, 0, PipelineThreadEntry, start, 0, nullptr);
    if (thread == 0) {
        DWORD error = ::GetLastError();
        delete start;
        PostToPipeline(WM_DOWN_ERROR, error != 0 ? error : ERROR_NOT_ENOUGH_MEMORY, DOWN_ERR_SYSTEM);
        return;
    }
    ::CloseHandle(reinterpret_cast<HANDLE>(thread));
}
