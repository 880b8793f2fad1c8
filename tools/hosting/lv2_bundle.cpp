#include "tools/hosting/lv2_bundle.h"

#include <lv2/presets/presets.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "tools/hosting/lv2_session.h"

namespace fs = std::filesystem;

bool isLv2Location(const std::string& location) {
  std::error_code error;
  if (fs::is_directory(location, error))
    return fs::exists(fs::path(location) / "manifest.ttl", error);
  if (fs::exists(location, error)) return false;
  const size_t colon = location.find(':');
  if (colon == std::string::npos || colon == 0 ||
      !std::isalpha(static_cast<unsigned char>(location[0])))
    return false;
  return std::all_of(location.begin(), location.begin() + colon, [](unsigned char c) {
    return std::isalnum(c) || c == '+' || c == '-' || c == '.';
  });
}

Lv2Bundle::Lv2Bundle(const std::string& location)
    : location_(location),
      world_(lilv_world_new()),
      map_{LV2_URID__map, urids_.mapFeature()},
      unmap_{LV2_URID__unmap, urids_.unmapFeature()},
      features_{&map_, &unmap_, nullptr} {
  try {
    std::error_code error;
    if (fs::is_directory(location, error))
      findInBundle(location);
    else
      findByUri(location);
    readPresets();
  } catch (...) {
    lilv_world_free(world_);
    throw;
  }
}

Lv2Bundle::~Lv2Bundle() { lilv_world_free(world_); }

// lilv takes a bundle as a file URI ending in a slash; without it, it reads the parent folder.
void Lv2Bundle::findInBundle(const std::string& folder) {
  const std::string path = fs::canonical(folder).string() + "/";
  LilvNode* bundle = lilv_new_file_uri(world_, nullptr, path.c_str());
  lilv_world_load_bundle(world_, bundle);
  const LilvPlugins* all = lilv_world_get_all_plugins(world_);
  std::vector<std::string> found;
  LILV_FOREACH(plugins, i, all) {
    const LilvPlugin* plugin = lilv_plugins_get(all, i);
    if (!lilv_node_equals(lilv_plugin_get_bundle_uri(plugin), bundle)) continue;
    plugin_ = plugin;
    found.push_back(lilv_node_as_uri(lilv_plugin_get_uri(plugin)));
  }
  lilv_node_free(bundle);
  if (found.empty()) throw std::runtime_error("'" + folder + "' holds no LV2 plug-in");
  if (found.size() > 1) {
    std::string list;
    for (const std::string& uri : found) list += (list.empty() ? "" : ", ") + uri;
    throw std::runtime_error("'" + folder + "' holds " + std::to_string(found.size()) +
                             " LV2 plug-ins; name one by its URI: " + list);
  }
}

void Lv2Bundle::findByUri(const std::string& uri) {
  lilv_world_load_all(world_);
  LilvNode* node = lilv_new_uri(world_, uri.c_str());
  plugin_ = node ? lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world_), node) : nullptr;
  lilv_node_free(node);
  if (plugin_) return;
  const char* path = std::getenv("LV2_PATH");
  throw std::runtime_error("LV2 plug-in '" + uri + "' not found in " +
                           (path ? "LV2_PATH (" + std::string(path) + ")"
                                 : std::string("~/.lv2, /usr/local/lib/lv2 and /usr/lib/lv2")));
}

void Lv2Bundle::readPresets() {
  LilvNode* presetClass = lilv_new_uri(world_, LV2_PRESETS__Preset);
  LilvNode* label = lilv_new_uri(world_, LILV_NS_RDFS "label");
  LilvNodes* related = lilv_plugin_get_related(plugin_, presetClass);
  LILV_FOREACH(nodes, i, related) {
    const LilvNode* preset = lilv_nodes_get(related, i);
    lilv_world_load_resource(world_, preset);  // the file that describes it
    LilvNode* name = lilv_world_get(world_, preset, label, nullptr);
    presets_.push_back({lilv_node_as_uri(preset), name ? lilv_node_as_string(name) : ""});
    lilv_node_free(name);
  }
  lilv_nodes_free(related);
  lilv_node_free(label);
  lilv_node_free(presetClass);
  std::sort(presets_.begin(), presets_.end(),
            [](const Lv2Preset& a, const Lv2Preset& b) { return a.uri < b.uri; });
}

std::unique_ptr<HostedPlugin> Lv2Bundle::newInstance() const {
  return std::make_unique<Lv2Session>(*this);
}
