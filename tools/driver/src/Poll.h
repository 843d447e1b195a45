#pragma once

#include <windows.h>

namespace appdriver {

// Calls done() until it returns true or timeoutMs has passed; done() is always
// called at least once, and once more after the deadline so a late success counts.
template <class Done>
bool PollUntil(DWORD timeoutMs, Done done, DWORD intervalMs = 50) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (done()) return true;
        if (GetTickCount64() >= deadline) return done();
        Sleep(intervalMs);
    }
}

}  // namespace appdriver
