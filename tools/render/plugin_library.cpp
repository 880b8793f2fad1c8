#include "tools/render/plugin_library.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>

PluginLibrary::PluginLibrary(const std::string& path) : path_(path) {
  if (!std::filesystem::exists(path)) throw std::runtime_error("plug-in '" + path + "' not found");
  // An absolute path, so that a bare file name means this file and not a library search.
  const std::string absolute = std::filesystem::absolute(path).string();
  handle_ = dlopen(absolute.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char* reason = dlerror();
    throw std::runtime_error("cannot load plug-in '" + path + "': " + (reason ? reason : "?"));
  }
  for (const char* name : {"VSTPluginMain", "main"}) {
    if (void* symbol = dlsym(handle_, name)) {
      entry_ = reinterpret_cast<PluginEntry>(symbol);
      break;
    }
  }
  if (!entry_) {
    dlclose(handle_);
    throw std::runtime_error("'" + path +
                             "' is not a VST plug-in: it exports no VSTPluginMain or main");
  }
}

PluginLibrary::~PluginLibrary() { dlclose(handle_); }

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
