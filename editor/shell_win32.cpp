#include "editor/shell_win32.h"

#include <windows.h>

#include "editor/launcher.h"
#include "editor/module_directory.h"
#include "editor/module_handle.h"

namespace {

class Win32LaunchPlatform : public LaunchPlatform {
 public:
  intptr_t shellOpen(const char* target, int32_t showCommand) override {
    return reinterpret_cast<intptr_t>(
        ShellExecuteA(nullptr, "open", target, nullptr, nullptr, showCommand));
  }

  bool readClassesRootDefault(const char* key, char* value, size_t size) override {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) {
      return false;
    }
    LONG bytes = static_cast<LONG>(size);
    const LONG status = RegQueryValueA(handle, nullptr, value, &bytes);
    RegCloseKey(handle);
    // A value that did not fit, or came back without its terminator, is not used.
    return status == ERROR_SUCCESS && bytes > 0 && value[bytes - 1] == '\0';
  }

  uint32_t startProgram(const char* commandLine, int32_t showCommand) override {
    return WinExec(commandLine, static_cast<UINT>(showCommand));
  }
};

}  // namespace

int32_t openUrlOrDocument(const char* target, int32_t showCommand) {
  Win32LaunchPlatform platform;
  return launchTarget(platform, target, showCommand);
}

void readModuleDirectory() {
  const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(moduleHandle), moduleDirectory,
                                          static_cast<DWORD>(kModuleFileNameLimit));
  // A truncated name is terminated on current Windows; older ones left that to the caller.
  moduleDirectory[length < kModuleFileNameLimit ? length : kModuleFileNameLimit - 1] = '\0';
  cutToDirectory(moduleDirectory);
}
