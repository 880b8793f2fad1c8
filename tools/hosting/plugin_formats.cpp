// Which format's host side opens a plug-in, from where it lies.
#include "tools/hosting/hosted_plugin.h"
#include "tools/hosting/plugin_library.h"

std::unique_ptr<PluginFile> openPluginFile(const std::string& location) {
  // Any other file is taken for a VST2 library, which says so when it is none.
  return std::make_unique<PluginLibrary>(location);
}
