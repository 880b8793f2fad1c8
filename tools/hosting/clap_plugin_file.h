// A CLAP plug-in file loaded by path: clap_entry initialised with the file's path while loaded,
// its plug-in factory, and instances of the factory's first plug-in.
#pragma once

#include <memory>
#include <string>

#include "clap/entry.h"
#include "clap/plugin-factory.h"
#include "tools/hosting/clap_instance.h"
#include "tools/hosting/hosted_plugin.h"

class ClapPluginFile : public PluginFile {
 public:
  // Throws std::runtime_error when the file does not load, exports no compatible clap_entry, its
  // init fails or it has no plug-in.
  explicit ClapPluginFile(const std::string& path);
  ~ClapPluginFile() override;
  ClapPluginFile(const ClapPluginFile&) = delete;
  ClapPluginFile& operator=(const ClapPluginFile&) = delete;

  std::unique_ptr<HostedPlugin> newInstance() const override { return newClapInstance(); }
  std::unique_ptr<ClapInstance> newClapInstance() const;
  const std::string& location() const override { return path_; }

 private:
  std::string path_;
  void* library_ = nullptr;
  const clap_plugin_entry_t* entry_ = nullptr;
  const clap_plugin_factory_t* factory_ = nullptr;
  const clap_plugin_descriptor_t* descriptor_ = nullptr;
};
