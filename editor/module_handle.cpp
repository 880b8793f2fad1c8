#include "editor/module_handle.h"

void* moduleHandle = nullptr;

#ifdef _WIN32
#include <windows.h>

// Runs on every load notification; only remembers which module we are.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  moduleHandle = instance;
  return TRUE;
}
#endif
