// Opens a document or a web address: first through the shell, and when the shell cannot, by
// starting the program registered for ".htm" files with the target on its command line.
#pragma once

#include <cstddef>
#include <cstdint>

// The platform calls the launcher makes; the Windows ones are in shell_win32.cpp.
class LaunchPlatform {
 public:
  virtual ~LaunchPlatform() = default;
  // The shell's "open" of target, its answer taken as a signed integer (above 32: opened).
  virtual intptr_t shellOpen(const char* target, int32_t showCommand) = 0;
  // The default value of HKEY_CLASSES_ROOT\key, terminator included within size bytes; false
  // when the key does not open or its value cannot be read whole.
  virtual bool readClassesRootDefault(const char* key, char* value, size_t size) = 0;
  // Starts a command line; the answer is WinExec's (above 31: started).
  virtual uint32_t startProgram(const char* commandLine, int32_t showCommand) = 0;
};

constexpr size_t kRegistryValueSize = 260;
constexpr size_t kCommandLineSize = 520;

// 1 when the shell opened the target or a program was started with it, 0 otherwise. Nothing
// is started from a registry value that was not read, or from a command line that does not fit.
int32_t launchTarget(LaunchPlatform& platform, const char* target, int32_t showCommand);
