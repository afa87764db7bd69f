// What starting the interceptor needs of the platform: the registry value, processes and
// the message pump of the wait.
#pragma once

#include "text/Text.h"

#include <cstdint>

// Writes `value` as REG_SZ (with its NUL) to fd_home directly under HKEY_CURRENT_USER.
void publishWindowHandle(const Text& value);

// True when a file or directory of that path exists.
bool pathEntryExists(const Text& path);

// Runs `commandLine` with its window hidden and waits, without limit, until it has ended.
void runHiddenAndWait(const Text& commandLine);

// Starts `commandLine` (no program path, shown normally, no inherited handles), waits at
// most `readyWaitMs` for it to be ready for input, and keeps no handle to it.
void startDetached(const Text& commandLine, unsigned readyWaitMs);

// Dispatches every message of the thread's queue until more than `ms` milliseconds have
// passed since the call began.
void dispatchMessagesFor(unsigned ms);
