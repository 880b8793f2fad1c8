// The launcher and the module directory on Linux: xdg-open started with an argument vector,
// never through a shell, and the directory of the loaded library file.
#pragma once

// Starts "xdg-open target" without waiting for it. A missing xdg-open does nothing.
void openWithDesktop(const char* target);

// Collects the launched programs that have ended, so none lingers as a zombie in the host.
void reapLaunchedPrograms();
