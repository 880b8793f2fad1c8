#include <new>

#include "engine/float_environment.h"
#include "vst2/overdrive_plugin.h"

extern "C" AEffect* VSTCALL pluginMain(audioMasterCallback hostCallback) {
  // The shaper table and the first coefficients come out the same whatever the host's thread set.
  const FloatingPointDefaults defaults;
  // Without a callback there is no host to ask; the version query is the host's consent.
  if (!hostCallback || hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) {
    return nullptr;
  }
  OverdrivePlugin* plugin = new (std::nothrow) OverdrivePlugin(hostCallback);
  if (!plugin) return nullptr;
  // Success is read from this instance alone: another thread's creation, failed or not, can
  // neither hide this one's failure nor cause one.
  if (!plugin->complete()) {
    delete plugin;
    return nullptr;
  }
  return &plugin->effectRecord;
}

#ifdef VORRA_EXPORT_ALIASES
// Linux hosts look for `VSTPluginMain` or `main`. Both are aliases of the hidden entry, so no
// call inside the library goes through a dynamic symbol that the host program's own `main`
// could interpose. Only the plug-in file defines them: a test program has a `main` of its own.
extern "C" __attribute__((visibility("default"), alias("pluginMain"))) AEffect* VSTPluginMain(
    audioMasterCallback hostCallback);
extern "C" __attribute__((visibility("default"), alias("pluginMain"))) AEffect* vstMainExport(
    audioMasterCallback hostCallback) __asm__("main");
#endif
