// Loads the built plug-in file as a host does: by path, then its exported entry by name.
// The file lies in the build tree's root, two folders above the test programs.
#pragma once

#include <string>

#include "host/aeffect.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

using PluginEntry = AEffect*(VSTCALL*)(audioMasterCallback);

class PluginFile {
 public:
  PluginFile() {
#ifdef _WIN32
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    path = parentOf(parentOf(parentOf(exe))) + "\\Vorra OverDrive.dll";
    handle = LoadLibraryA(path.c_str());
#else
    char exe[4096] = {};
    const ssize_t size = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (size > 0) exe[size] = '\0';
    path = parentOf(parentOf(parentOf(exe))) + "/Vorra OverDrive.so";
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
  }
  ~PluginFile() {
    if (!handle) return;
#ifdef _WIN32
    FreeLibrary(static_cast<HMODULE>(handle));
#else
    dlclose(handle);
#endif
  }
  PluginFile(const PluginFile&) = delete;
  PluginFile& operator=(const PluginFile&) = delete;

  // The exported function `name`, or null.
  void* symbol(const char* name) const {
    if (!handle) return nullptr;
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
#else
    return dlsym(handle, name);
#endif
  }
  PluginEntry entry(const char* name = "main") const {
    return reinterpret_cast<PluginEntry>(symbol(name));
  }

  std::string path;
  void* handle = nullptr;

 private:
  static std::string parentOf(const std::string& file) {
    const size_t cut = file.find_last_of("/\\");
    return cut == std::string::npos ? std::string(".") : file.substr(0, cut);
  }
};
