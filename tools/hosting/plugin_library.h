// A VST2 plug-in library loaded by path, and instances created through its exported entry:
// `VSTPluginMain`, else `main`, each taking the host callback and answering the record.
#pragma once

#include <string>

#include "tools/hosting/hosted_plugin.h"
#include "vst2/aeffect.h"

using PluginEntry = AEffect*(VSTCALL*)(audioMasterCallback);

class PluginLibrary : public PluginFile {
 public:
  // Throws std::runtime_error when the file does not load or exports neither entry.
  explicit PluginLibrary(const std::string& path);
  ~PluginLibrary() override;

  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // A new instance; throws when the entry answers null or something that is not a record.
  // Every instance must be closed before the library is destroyed.
  AEffect* instantiate(audioMasterCallback host) const;
  // A new instance for the project's own host (tools/hosting/host_callback.h), in a session.
  std::unique_ptr<HostedPlugin> newInstance() const override;
  const std::string& location() const override { return path_; }

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
