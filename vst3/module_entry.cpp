// The module's exported entries: the factory, and the entry and exit a host calls around its use
// of the module (ModuleEntry/ModuleExit on Linux, InitDll/ExitDll on Windows). Entries and exits
// may come from several threads and nest (parallel scans): each entry holds the library's shaper
// table, so instances made in between do not build it again, and each exit lets one hold go.
#include <atomic>

#include "engine/float_environment.h"
#include "engine/shared_shaper_table.h"
#include "vst3/plugin_factory.h"

#ifdef _WIN32
#define VORRA_VST3_EXPORT extern "C"
#else
#define VORRA_VST3_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

std::atomic<int32_t> entries{0};

bool enterModule() {
  // The table comes out the same whatever the host's thread set.
  const FloatingPointDefaults defaults;
  if (!acquireShaperTable()) return false;
  entries.fetch_add(1, std::memory_order_relaxed);
  return true;
}

// An exit without a matching entry releases nothing.
bool exitModule() {
  int32_t held = entries.load(std::memory_order_relaxed);
  do {
    if (held == 0) return false;
  } while (!entries.compare_exchange_weak(held, held - 1, std::memory_order_relaxed));
  releaseShaperTable();
  return true;
}

}  // namespace

VORRA_VST3_EXPORT v3_plugin_factory** V3_API GetPluginFactory() { return pluginFactory(); }

#ifdef _WIN32
VORRA_VST3_EXPORT bool InitDll() { return enterModule(); }
VORRA_VST3_EXPORT bool ExitDll() { return exitModule(); }
#else
VORRA_VST3_EXPORT bool ModuleEntry(void*) { return enterModule(); }
VORRA_VST3_EXPORT bool ModuleExit() { return exitModule(); }
#endif
