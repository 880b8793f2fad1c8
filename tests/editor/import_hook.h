// Points one entry of a loaded module's import address table at a replacement, so a test can
// watch the module's calls into a system DLL; the entry is restored when the hook goes.
#pragma once

#include <windows.h>

class ImportHook {
 public:
  // dll is compared without regard to case; only imports by name are found.
  ImportHook(HMODULE module, const char* dll, const char* function, void* replacement);
  ~ImportHook();
  ImportHook(const ImportHook&) = delete;
  ImportHook& operator=(const ImportHook&) = delete;

  // False when the module does not import function from dll.
  bool installed() const { return slot != nullptr; }
  void* original = nullptr;

 private:
  void** slot = nullptr;
};
