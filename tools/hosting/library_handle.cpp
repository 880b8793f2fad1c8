#include "tools/hosting/library_handle.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

void* openLibrary(const std::string& path, std::string& reason) {
#ifdef _WIN32
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) {
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), 0, text, sizeof text, nullptr);
    reason = text;
  }
  return module;
#else
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* text = dlerror();
    reason = text ? text : "?";
  }
  return handle;
#endif
}

void* librarySymbol(void* handle, const char* name) {
#ifdef _WIN32
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
#else
  return dlsym(handle, name);
#endif
}

void closeLibrary(void* handle) {
#ifdef _WIN32
  FreeLibrary(static_cast<HMODULE>(handle));
#else
  dlclose(handle);
#endif
}
