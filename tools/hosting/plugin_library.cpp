#include "tools/hosting/plugin_library.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <filesystem>
#include <stdexcept>

#include "tools/hosting/host_callback.h"
#include "tools/hosting/host_session.h"

namespace {

// The system's handle of the library at `absolute`, or null with `reason` saying why.
void* openLibrary(const std::string& absolute, std::string& reason) {
#ifdef _WIN32
  HMODULE module = LoadLibraryA(absolute.c_str());
  if (!module) {
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), 0, text, sizeof text, nullptr);
    reason = text;
  }
  return module;
#else
  void* handle = dlopen(absolute.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* text = dlerror();
    reason = text ? text : "?";
  }
  return handle;
#endif
}

void closeLibrary(void* handle) {
#ifdef _WIN32
  FreeLibrary(static_cast<HMODULE>(handle));
#else
  dlclose(handle);
#endif
}

}  // namespace

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

void* PluginLibrary::symbol(const char* name) const {
#ifdef _WIN32
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
  return dlsym(handle_, name);
#endif
}

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
