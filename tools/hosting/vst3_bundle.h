// A VST3 bundle loaded as a host loads it: the binary for this platform inside the ".vst3"
// folder (Contents/x86_64-linux/<name>.so, Contents/x86_64-win/<name>.vst3; on Windows also a
// single-file .vst3), its module entry (ModuleEntry, or InitDll where the module has one), its
// factory, and the first audio effect class in it. The exit entry runs and the binary unloads
// when the bundle is destroyed, after every session made from it.
#pragma once

#include <memory>
#include <string>

#include "tools/hosting/hosted_plugin.h"
#include "travesty/factory.h"

class Vst3Session;

// What the factory says of the class a session makes.
struct Vst3ClassInfo {
  v3_tuid classId;
  std::string name, vendor, category, version, sdkVersion;
};

// A class id as hosts write it: the four numbers it is declared with, in hexadecimal (on Windows
// the first eight bytes lie in GUID order).
std::string classIdText(const uint8_t* classId);

class Vst3Bundle : public PluginFile {
 public:
  // Throws std::runtime_error when the bundle does not load or holds no audio effect.
  explicit Vst3Bundle(const std::string& location);
  ~Vst3Bundle() override;

  Vst3Bundle(const Vst3Bundle&) = delete;
  Vst3Bundle& operator=(const Vst3Bundle&) = delete;

  std::unique_ptr<HostedPlugin> newInstance() const override;
  // The same, with the VST3 side of the instance in reach.
  std::unique_ptr<Vst3Session> openSession() const;
  const std::string& location() const override { return location_; }

  v3_plugin_factory** factory() const { return factory_; }
  const Vst3ClassInfo& effectClass() const { return class_; }

 private:
  void unload();

  std::string location_;
  void* library_ = nullptr;
  bool entered_ = false;
  v3_plugin_factory** factory_ = nullptr;
  Vst3ClassInfo class_{};
};
