#include "pipeline/DownErrorDecision.h"

#include "pipeline/PipelineDefs.h"

DownErrorAction DecideDownError(const DownErrorState& s)
{
    if (s.bErrorShown)
        return DownErrorAction::Ignore;
    if (s.nKind == DOWN_ERR_URL)
        return DownErrorAction::ShowUrlError;
    if (s.nKind == DOWN_ERR_SYSTEM)
        return DownErrorAction::ShowSystemError;

    bool isPiece = s.nKind >= 0 && s.nKind < DOWN_PIECE_COUNT;
    if (!isPiece && s.nKind != DOWN_ERR_PROBE)
        return DownErrorAction::Ignore;

    if (s.nRetryCount <= DOWN_RETRY_LIMIT)
        return isPiece ? DownErrorAction::RestartPiece : DownErrorAction::RestartProbe;

    if (!isPiece)
        return s.bUseWinHttp ? DownErrorAction::ShowNetworkError : DownErrorAction::SwitchToWinHttp;
    if (s.nParkedCount + 1 + s.nDownloadedCount == DOWN_PIECE_COUNT)
        return DownErrorAction::ParkPieceAndShowNetworkError;
    return DownErrorAction::ParkPiece;
}
