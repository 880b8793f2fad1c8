// An LV2 plug-in found through lilv, by its bundle's folder or by its URI (looked up on
// LV2_PATH, else in ~/.lv2, /usr/local/lib/lv2 and /usr/lib/lv2), and what its instances share:
// lilv's world, the URID map and the presets. The presets are ordered by their URIs, since
// lilv's order is its own.
#pragma once

#include <lilv/lilv.h>

#include <memory>
#include <string>
#include <vector>

#include "tools/hosting/hosted_plugin.h"
#include "tools/hosting/urid_table.h"

// Whether a location names an LV2 plug-in: a folder holding a manifest.ttl, or a URI
// (scheme:rest) that is no file.
bool isLv2Location(const std::string& location);

struct Lv2Preset {
  std::string uri;
  std::string label;
};

class Lv2Bundle : public PluginFile {
 public:
  // Throws std::runtime_error when no single plug-in is found there.
  explicit Lv2Bundle(const std::string& location);
  ~Lv2Bundle() override;
  Lv2Bundle(const Lv2Bundle&) = delete;
  Lv2Bundle& operator=(const Lv2Bundle&) = delete;

  std::unique_ptr<HostedPlugin> newInstance() const override;
  const std::string& location() const override { return location_; }

  LilvWorld* world() const { return world_; }
  const LilvPlugin* plugin() const { return plugin_; }
  UridTable& urids() const { return urids_; }
  // urid:map and urid:unmap, null-terminated: the features instances and their state get.
  const LV2_Feature* const* features() const { return features_; }
  const std::vector<Lv2Preset>& presets() const { return presets_; }

 private:
  void findInBundle(const std::string& folder);
  void findByUri(const std::string& uri);
  void readPresets();

  std::string location_;
  LilvWorld* world_;
  const LilvPlugin* plugin_ = nullptr;
  mutable UridTable urids_;
  LV2_Feature map_, unmap_;
  const LV2_Feature* features_[3];
  std::vector<Lv2Preset> presets_;
};
