// The CLAP file of the tree under test, beside the VST2 file in the tree's root.
#pragma once

#include <string>

#include "support/plugin_file.h"

inline std::string builtClapPath() {
  const std::string vst2 = builtPluginPath();
  return vst2.substr(0, vst2.find_last_of("/\\") + 1) + "Vorra OverDrive.clap";
}
