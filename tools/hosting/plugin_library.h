// A VST2 plug-in library loaded by path, and instances created through its exported entry:
// `VSTPluginMain`, else `main`, each taking the host callback and answering the record.
#pragma once

#include <string>

#include "vst2/aeffect.h"

using PluginEntry = AEffect*(VSTCALL*)(audioMasterCallback);

class PluginLibrary {
 public:
  // Throws std::runtime_error when the file does not load or exports neither entry.
  explicit PluginLibrary(const std::string& path);
  ~PluginLibrary();

  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // A new instance; throws when the entry answers null or something that is not a record.
  // Every instance must be closed before the library is destroyed.
  AEffect* instantiate(audioMasterCallback host) const;

  PluginEntry entry() const { return entry_; }
  // The exported function `name`, or null.
  void* symbol(const char* name) const;
  // The system's handle (an HMODULE on Windows).
  void* handle() const { return handle_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  void* handle_ = nullptr;
  PluginEntry entry_ = nullptr;
};
