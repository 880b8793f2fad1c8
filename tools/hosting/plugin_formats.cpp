// Which format's host side opens a plug-in, from where it lies.
#include "tools/hosting/hosted_plugin.h"
#include "tools/hosting/plugin_library.h"
#ifdef VORRA_HOSTING_CLAP
#include "tools/hosting/clap_plugin_file.h"
#endif
#ifdef VORRA_HOSTING_LV2
#include "tools/hosting/lv2_bundle.h"
#endif

std::unique_ptr<PluginFile> openPluginFile(const std::string& location) {
#ifdef VORRA_HOSTING_CLAP
  const std::string clapSuffix = ".clap";
  if (location.size() > clapSuffix.size() &&
      location.compare(location.size() - clapSuffix.size(), clapSuffix.size(), clapSuffix) == 0)
    return std::make_unique<ClapPluginFile>(location);
#endif
#ifdef VORRA_HOSTING_LV2
  // An LV2 bundle's folder, or an LV2 plug-in's URI.
  if (isLv2Location(location)) return std::make_unique<Lv2Bundle>(location);
#endif
  // Any other file is taken for a VST2 library, which says so when it is none.
  return std::make_unique<PluginLibrary>(location);
}
