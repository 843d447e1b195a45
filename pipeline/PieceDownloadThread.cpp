// The chunk download worker: one range request into one chunk's buffer,
// resuming at what an earlier attempt already received.
#include "pipeline/PipelineThreads.h"

#include "pipeline/HttpChecks.h"
#include "pipeline/HttpRequest.h"

#include <cstring>

namespace {

// Fills the chunk; on failure returns the code to report (0 where the failing
// step has none to give).
DWORD DownloadPiece(DownPiece& piece)
{
    UINT first = piece.nOffset + piece.nReceived;
    UINT last = piece.nOffset + piece.nLength - 1;

    std::unique_ptr<CHttpRequest> request = CreateHttpRequest(g_bUseWinHttp);
    if (request->Open(CurrentHttpTarget(), L"GET") != 0 || request->AddHeader(MakeRangeHeader(first, last)) != 0)
        return 0;
    DWORD error = request->Send();
    if (error != 0)
        return error;

    // Only the asked bytes of the probed file count: anything else would end
    // up in a program that runs as administrator.
    DWORD status = 0;
    std::wstring contentRange;
    if (request->QueryStatus(status) != 0)
        return ERR_HTTP_INVALID_SERVER_RESPONSE;
    request->QueryHeader(HttpHeader::ContentRange, contentRange);
    if (!IsAcceptedRangeResponse(status, contentRange, first, last, g_nDownFileSize))
        return ERR_HTTP_INVALID_SERVER_RESPONSE;

    BYTE buffer[DOWN_READ_BUFFER]; // the thread's stack holds it
    BYTE* write = piece.pBuffer + piece.nReceived;
    for (;;) {
        std::memset(buffer, 0, sizeof(buffer));
        DWORD got = 0;
        if ((error = request->Read(buffer, DOWN_READ_BUFFER, got)) != 0)
            return error;
        if (got == 0)
            return ERROR_HANDLE_EOF; // the body ended before the chunk was full
        if (got > piece.nLength - piece.nReceived)
            return ERR_HTTP_INVALID_SERVER_RESPONSE; // never written past the buffer
        std::memcpy(write, buffer, got);
        piece.nReceived += got;
        write += got;
        PostToPipeline(WM_DOWN_PROGRESS, 0, got);
        if (piece.nReceived == piece.nLength)
            return 0;
    }
}

} // namespace

unsigned __stdcall PieceDownloadThread(void* arg)
{
    DownPiece& piece = *static_cast<DownPiece*>(arg);
    // Chunks of files under forty bytes can be empty: nothing to ask for.
    if (piece.nReceived == piece.nLength) {
        PostToPipeline(WM_PIECE_DOWNLOADED, 0, piece.nIndex);
        return 1;
    }
    DWORD error = DownloadPiece(piece);
    if (piece.nReceived == piece.nLength)
        PostToPipeline(WM_PIECE_DOWNLOADED, 0, piece.nIndex);
    else
        PostToPipeline(WM_DOWN_ERROR, error, piece.nIndex);
    return 1;
}
