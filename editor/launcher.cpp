#include "editor/launcher.h"

#include <cstdio>

#include "editor/command_line.h"

int32_t launchTarget(LaunchPlatform& platform, const char* target, int32_t showCommand) {
  if (platform.shellOpen(target, showCommand) > 32) return 1;

  char value[kRegistryValueSize];
  char command[kCommandLineSize];
  // An empty value names no class and no program: as good as unread.
  if (!platform.readClassesRootDefault(".htm", value, sizeof value) || value[0] == '\0') return 0;
  // A class name of at most 259 characters and the 19 of the suffix always fit.
  std::snprintf(command, sizeof command, "%s\\shell\\open\\command", value);
  if (!platform.readClassesRootDefault(command, value, sizeof value) || value[0] == '\0') return 0;
  if (!composeCommandLine(value, target, command, sizeof command)) return 0;
  return platform.startProgram(command, showCommand) > 31 ? 1 : 0;
}
