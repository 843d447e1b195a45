// The chunk writer: appends one downloaded chunk to the target file. Writers
// run one at a time in index order, so the file grows front to back.
#include "pipeline/PipelineThreads.h"

unsigned __stdcall PieceWriteThread(void* arg)
{
    const DownPiece& piece = *static_cast<const DownPiece*>(arg);
    const BYTE* read = piece.pBuffer;
    DWORD remaining = piece.nLength;
    while (remaining != 0) {
        DWORD written = 0;
        if (!::WriteFile(g_hDownFile, read, remaining, &written, nullptr)) {
            PostToPipeline(WM_DOWN_ERROR, ::GetLastError(), DOWN_ERR_SYSTEM);
            return 1;
        }
        read += written;
        remaining -= written;
    }
    ::FlushFileBuffers(g_hDownFile);
    PostToPipeline(WM_PIECE_WRITTEN, 0, piece.nIndex);
    return 1;
}
