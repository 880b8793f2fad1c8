// The file's only export, clap_entry, and its factory of one plug-in. Hosts scan in parallel and
// may init a file once per scan: init and deinit count under a lock, and the library's shaper
// table is held from the first init to the last deinit, so that the instances a scan creates
// and destroys find it built.
#include <cstring>
#include <mutex>
#include <new>

#include "clap/entry.h"
#include "clap/overdrive_clap.h"
#include "clap/plugin-factory.h"
#include "engine/float_environment.h"
#include "engine/shared_shaper_table.h"

namespace {

std::mutex entryGuard;
int32_t inits = 0;
bool holdsTable = false;

bool init(const char*) {
  // The table comes out the same whatever the host's thread set.
  const FloatingPointDefaults defaults;
  std::lock_guard<std::mutex> lock(entryGuard);
  if (inits++ == 0) holdsTable = acquireShaperTable() != nullptr;
  return true;
}

// A deinit without an init changes nothing.
void deinit() {
  std::lock_guard<std::mutex> lock(entryGuard);
  if (inits == 0 || --inits > 0 || !holdsTable) return;
  releaseShaperTable();
  holdsTable = false;
}

uint32_t pluginCount(const clap_plugin_factory_t*) { return 1; }

const clap_plugin_descriptor_t* descriptor(const clap_plugin_factory_t*, uint32_t index) {
  return index == 0 ? &kOverdriveDescriptor : nullptr;
}

const clap_plugin_t* createPlugin(const clap_plugin_factory_t*, const clap_host_t* host,
                                  const char* id) {
  if (!host || !id || !clap_version_is_compatible(host->clap_version) ||
      std::strcmp(id, kOverdriveDescriptor.id) != 0)
    return nullptr;
  OverdriveClap* instance = new (std::nothrow) OverdriveClap(host);
  if (!instance) return nullptr;
  // Success is read from this instance alone, whatever other threads' creations did.
  if (!instance->complete()) {
    delete instance;
    return nullptr;
  }
  return instance->plugin();
}

const clap_plugin_factory_t factory = {&pluginCount, &descriptor, &createPlugin};

const void* getFactory(const char* id) {
  return id && !std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) ? &factory : nullptr;
}

}  // namespace

extern "C" CLAP_EXPORT const clap_plugin_entry_t clap_entry = {CLAP_VERSION_INIT, &init, &deinit,
                                                               &getFactory};
