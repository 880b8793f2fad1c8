// The built plug-in file, loaded as a host loads it. It lies in the build tree's root, two
// folders above the test programs; a file that does not load throws, failing the test.
#pragma once

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "tools/hosting/plugin_library.h"

inline std::string builtPluginPath() {
  auto parentOf = [](const std::string& file) {
    const size_t cut = file.find_last_of("/\\");
    return cut == std::string::npos ? std::string(".") : file.substr(0, cut);
  };
#ifdef _WIN32
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  return parentOf(parentOf(parentOf(exe))) + "\\Vorra OverDrive.dll";
#else
  char exe[4096] = {};
  const ssize_t size = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (size > 0) exe[size] = '\0';
  return parentOf(parentOf(parentOf(exe))) + "/Vorra OverDrive.so";
#endif
}

// The tree's root, where every format's plug-in file lies, ending in its separator.
inline std::string builtTreeRoot() {
  const std::string vst2 = builtPluginPath();
  return vst2.substr(0, vst2.find_last_of("/\\") + 1);
}

class BuiltPlugin : public PluginLibrary {
 public:
  BuiltPlugin() : PluginLibrary(builtPluginPath()) {}
};
