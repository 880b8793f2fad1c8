// Which format's host side opens a plug-in, from where it lies.
#include "tools/hosting/hosted_plugin.h"
#include "tools/hosting/plugin_library.h"
#ifdef VORRA_HOSTING_CLAP
#include "tools/hosting/clap_plugin_file.h"
#endif
#ifdef VORRA_HOSTING_LV2
#include "tools/hosting/lv2_bundle.h"
#endif
#ifdef VORRA_HOST_VST3
#include "tools/hosting/vst3_bundle.h"
#endif

namespace {

bool endsWith(std::string text, const std::string& ending) {
  while (!text.empty() && (text.back() == '/' || text.back() == '\\')) text.pop_back();
  return text.size() >= ending.size() &&
         text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

}  // namespace

std::unique_ptr<PluginFile> openPluginFile(const std::string& location) {
#ifdef VORRA_HOSTING_CLAP
  if (endsWith(location, ".clap")) return std::make_unique<ClapPluginFile>(location);
#endif
#ifdef VORRA_HOSTING_LV2
  // An LV2 bundle's folder, or an LV2 plug-in's URI.
  if (isLv2Location(location)) return std::make_unique<Lv2Bundle>(location);
#endif
#ifdef VORRA_HOST_VST3
  if (endsWith(location, ".vst3")) return std::make_unique<Vst3Bundle>(location);
#endif
  // Any other file is taken for a VST2 library, which says so when it is none.
  return std::make_unique<PluginLibrary>(location);
}
