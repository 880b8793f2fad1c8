// Module-wide state shared by every instance in one loaded library.
#pragma once

#include <atomic>

// The library's module handle (an HINSTANCE on Windows), stored when the platform loads the
// library; the editor finds its dialog template and its own file name through it.
extern void* moduleHandle;

// Set by an engine constructor whose allocation failed; `main` reads it after construction.
// Every `main` writes it, on whichever thread the host creates instances.
extern std::atomic<bool> outOfMemory;
