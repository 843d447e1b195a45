// The pipeline's worker threads. Each is handed its inputs before it starts,
// never touches a window or the dialog, reports only by posting to the main
// dialog's window, and ends with exactly one final report.
#pragma once

#include "pipeline/PipelineDefs.h"

unsigned __stdcall SizeProbeThread(void* arg);      // arg: null
unsigned __stdcall PieceDownloadThread(void* arg);  // arg: DownPiece*
unsigned __stdcall PieceWriteThread(void* arg);     // arg: DownPiece*
unsigned __stdcall SetupLaunchThread(void* arg);    // arg: null

// Starts a worker that is never waited for. A thread that cannot start is
// reported as a system error, or the window would wait for it forever.
void StartPipelineThread(unsigned(__stdcall* proc)(void*), void* arg);

// The window every report goes to.
HWND PipelineWindow();
void PostToPipeline(UINT msg, WPARAM wParam, LPARAM lParam);
