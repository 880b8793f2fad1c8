#include "tools/hosting/plugin_library.h"

#include <filesystem>
#include <stdexcept>

#include "tools/hosting/host_callback.h"
#include "tools/hosting/host_session.h"
#include "tools/hosting/library_handle.h"

PluginLibrary::PluginLibrary(const std::string& path) : path_(path) {
  if (!std::filesystem::exists(path)) throw std::runtime_error("plug-in '" + path + "' not found");
  // An absolute path, so that a bare file name means this file and not a library search.
  std::string reason;
  handle_ = openLibrary(std::filesystem::absolute(path).string(), reason);
  if (!handle_) throw std::runtime_error("cannot load plug-in '" + path + "': " + reason);
  for (const char* name : {"VSTPluginMain", "main"}) {
    if (void* found = symbol(name)) {
      entry_ = reinterpret_cast<PluginEntry>(found);
      break;
    }
  }
  if (!entry_) {
    closeLibrary(handle_);
    throw std::runtime_error("'" + path +
                             "' is not a VST plug-in: it exports no VSTPluginMain or main");
  }
}

PluginLibrary::~PluginLibrary() { closeLibrary(handle_); }

void* PluginLibrary::symbol(const char* name) const { return librarySymbol(handle_, name); }

AEffect* PluginLibrary::instantiate(audioMasterCallback host) const {
  AEffect* effect = entry_(host);
  if (!effect)
    throw std::runtime_error("plug-in '" + path_ + "' declined to start: its entry answered null");
  if (effect->magic != kEffectMagic) {
    throw std::runtime_error("'" + path_ +
                             "' is not a VST plug-in: its entry answered no effect record");
  }
  return effect;
}

std::unique_ptr<HostedPlugin> PluginLibrary::newInstance() const {
  return std::make_unique<HostSession>(instantiate(answeringHost<>));
}
