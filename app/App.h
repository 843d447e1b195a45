// Process start-up pieces that tests call on their own.
#pragma once

// Records the executable's path in the current user's Program Compatibility
// Assistant "Persisted" key (value 1) so the assistant leaves it alone. The key
// is never created; false when it is missing or the value cannot be set.
bool RegisterCompatPersisted();

// Owns the message loop and the main dialog; returns the loop's exit code, or
// 0 when the dialog cannot be created. The command line is ignored.
int Run(const wchar_t* lpstrCmdLine, int nCmdShow);
