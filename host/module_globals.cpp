#include "host/module_globals.h"

void* moduleHandle = nullptr;
std::atomic<bool> outOfMemory{false};

#ifdef _WIN32
#include <windows.h>

// Runs on every load notification; only remembers which module we are.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  moduleHandle = instance;
  return TRUE;
}
#endif
