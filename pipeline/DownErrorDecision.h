// What a reported pipeline failure leads to: restart the stage at once, park a
// chunk until data moves again, switch transports and start over, or show one
// message and close.
#pragma once

enum class DownErrorAction {
    Ignore,
    ShowUrlError,
    ShowSystemError,
    RestartProbe,
    RestartPiece,
    SwitchToWinHttp,
    ParkPiece,
    ParkPieceAndShowNetworkError, // nothing is being fetched any more
    ShowNetworkError,
};

struct DownErrorState {
    int nKind;            // the failure kind
    bool bErrorShown;     // a message was shown already
    int nRetryCount;      // restarts since the last progress report
    bool bUseWinHttp;     // the transport in use
    int nParkedCount;     // chunks parked so far
    int nDownloadedCount; // chunks fully downloaded
};

DownErrorAction DecideDownError(const DownErrorState& state);
