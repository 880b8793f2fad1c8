#include "tools/hosting/lv2_session.h"

#include <lv2/atom/atom.h>
#include <lv2/state/state.h>
#include <lv2/units/units.h>

#include <cmath>
#include <cstring>
#include <stdexcept>

#include "lv2/plugin_uris.h"

namespace {

// The subject of a saved session's Turtle text.
constexpr char kSessionUri[] = "urn:vorra:session";

std::string pluginUri(const LilvPlugin* plugin) {
  return lilv_node_as_uri(lilv_plugin_get_uri(plugin));
}

// The unit's symbol (units:unit, then units:symbol), or empty.
std::string unitSymbol(LilvWorld* world, const LilvPlugin* plugin, const LilvPort* port) {
  LilvNode* unitProperty = lilv_new_uri(world, LV2_UNITS__unit);
  LilvNode* symbolProperty = lilv_new_uri(world, LV2_UNITS__symbol);
  LilvNodes* units = lilv_port_get_value(plugin, port, unitProperty);
  std::string symbol;
  if (units) {
    LilvNode* text = lilv_world_get(world, lilv_nodes_get_first(units), symbolProperty, nullptr);
    if (text) symbol = lilv_node_as_string(text);
    lilv_node_free(text);
  }
  lilv_nodes_free(units);
  lilv_node_free(symbolProperty);
  lilv_node_free(unitProperty);
  return symbol;
}

}  // namespace

Lv2Session::Lv2Session(const Lv2Bundle& owner) : bundle(owner) {
  LilvWorld* world = bundle.world();
  const LilvPlugin* plugin = bundle.plugin();
  const uint32_t ports = lilv_plugin_get_num_ports(plugin);
  std::vector<float> minimum(ports), defaults(ports);
  lilv_plugin_get_port_ranges_float(plugin, minimum.data(), nullptr, defaults.data());
  LilvNode* audio = lilv_new_uri(world, LILV_URI_AUDIO_PORT);
  LilvNode* control = lilv_new_uri(world, LILV_URI_CONTROL_PORT);
  LilvNode* input = lilv_new_uri(world, LILV_URI_INPUT_PORT);
  LilvNode* optional = lilv_new_uri(world, LV2_CORE__connectionOptional);
  std::string refused;
  for (uint32_t index = 0; index < ports; ++index) {
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, index);
    const bool isInput = lilv_port_is_a(plugin, port, input);
    const std::string symbol = lilv_node_as_string(lilv_port_get_symbol(plugin, port));
    if (lilv_port_is_a(plugin, port, audio)) {
      (isInput ? audioInputs : audioOutputs).push_back(index);
    } else if (lilv_port_is_a(plugin, port, control) && isInput) {
      // The default, else the minimum, else 0.
      const float value = !std::isnan(defaults[index])  ? defaults[index]
                          : !std::isnan(minimum[index]) ? minimum[index]
                                                        : 0.0f;
      LilvNode* name = lilv_port_get_name(plugin, port);
      controls.push_back({index, symbol, name ? lilv_node_as_string(name) : symbol,
                          unitSymbol(world, plugin, port), value});
      lilv_node_free(name);
    } else if (lilv_port_is_a(plugin, port, control)) {
      outputPorts.push_back(index);
    } else if (!lilv_port_has_property(plugin, port, optional) && refused.empty()) {
      refused = symbol;
    }
  }
  lilv_node_free(optional);
  lilv_node_free(input);
  lilv_node_free(control);
  lilv_node_free(audio);
  if (!refused.empty()) {
    throw std::runtime_error("plug-in '" + bundle.location() + "' has a port '" + refused +
                             "' of a kind this host does not connect (only audio and control)");
  }
  outputValues.assign(outputPorts.size(), 0.0f);
  instantiate(sampleRate);
}

Lv2Session::~Lv2Session() {
  stop();
  lilv_instance_free(instance);
}

// Control ports stay connected to this session's values; audio ports are connected per block.
void Lv2Session::instantiate(double rate) {
  instance = lilv_plugin_instantiate(bundle.plugin(), rate, bundle.features());
  if (!instance) {
    throw std::runtime_error("plug-in '" + bundle.location() +
                             "' declined to start (it may need a feature this host lacks)");
  }
  sampleRate = rate;
  for (Control& c : controls) lilv_instance_connect_port(instance, c.port, &c.value);
  for (size_t i = 0; i < outputPorts.size(); ++i)
    lilv_instance_connect_port(instance, outputPorts[i], &outputValues[i]);
}

std::vector<std::string> Lv2Session::identityLines() {
  const LilvPlugin* plugin = bundle.plugin();
  char* bundlePath =
      lilv_file_uri_parse(lilv_node_as_uri(lilv_plugin_get_bundle_uri(plugin)), nullptr);
  std::vector<std::string> lines = {
      "uri        " + pluginUri(plugin), "bundle     " + std::string(bundlePath ? bundlePath : "?"),
      "ports      " + std::to_string(audioInputs.size()) + " audio in, " +
          std::to_string(audioOutputs.size()) + " audio out, " + std::to_string(controls.size()) +
          " control in, " + std::to_string(outputPorts.size()) + " control out"};
  lilv_free(bundlePath);
  return lines;
}

bool Lv2Session::isOverdrive() { return pluginUri(bundle.plugin()) == kPluginUri; }

std::vector<std::string> Lv2Session::programNames() {
  std::vector<std::string> names;
  for (const Lv2Preset& preset : bundle.presets()) names.push_back(preset.label);
  return names;
}

// Outside the presets nothing changes, as a VST2 plug-in ignores such a program number.
void Lv2Session::setProgram(int32_t program) {
  const std::vector<Lv2Preset>& presets = bundle.presets();
  if (program < 0 || program >= static_cast<int32_t>(presets.size())) return;
  LilvNode* uri = lilv_new_uri(bundle.world(), presets[program].uri.c_str());
  LilvState* state = lilv_state_new_from_world(bundle.world(), bundle.urids().mapFeature(), uri);
  lilv_node_free(uri);
  if (!state) throw std::runtime_error("cannot read preset '" + presets[program].label + "'");
  restore(state, true);
  lilv_state_free(state);
  currentProgram = program;
}

void Lv2Session::start(float rate, int32_t) {
  if (rate != sampleRate) {
    LilvState* carried = capture();
    lilv_instance_free(instance);
    instance = nullptr;
    instantiate(rate);
    restore(carried, false);  // the ports are this session's values already
    lilv_state_free(carried);
  }
  lilv_instance_activate(instance);
  running = true;
}

void Lv2Session::stop() {
  if (!running) return;
  lilv_instance_deactivate(instance);
  running = false;
}

void Lv2Session::processReplacing(float** inputs, float** outputs, int32_t frames) {
  for (size_t i = 0; i < audioInputs.size(); ++i)
    lilv_instance_connect_port(instance, audioInputs[i], inputs[i]);
  for (size_t i = 0; i < audioOutputs.size(); ++i)
    lilv_instance_connect_port(instance, audioOutputs[i], outputs[i]);
  lilv_instance_run(instance, static_cast<uint32_t>(frames));
}

const void* Lv2Session::portValue(const char* symbol, void* session, uint32_t* size,
                                  uint32_t* type) {
  auto& self = *static_cast<Lv2Session*>(session);
  for (const Control& c : self.controls) {
    if (c.symbol != symbol) continue;
    *size = sizeof c.value;
    *type = self.bundle.urids().map(LV2_ATOM__Float);
    return &c.value;
  }
  return nullptr;
}

void Lv2Session::setPortValue(const char* symbol, void* session, const void* value, uint32_t size,
                              uint32_t type) {
  auto& self = *static_cast<Lv2Session*>(session);
  UridTable& urids = self.bundle.urids();
  float number;
  if (type == urids.map(LV2_ATOM__Float) && size == sizeof(float)) {
    std::memcpy(&number, value, sizeof number);
  } else if (type == urids.map(LV2_ATOM__Double) && size == sizeof(double)) {
    double wide;
    std::memcpy(&wide, value, sizeof wide);
    number = static_cast<float>(wide);
  } else if (type == urids.map(LV2_ATOM__Int) && size == sizeof(int32_t)) {
    int32_t whole;
    std::memcpy(&whole, value, sizeof whole);
    number = static_cast<float>(whole);
  } else {
    return;
  }
  for (Control& c : self.controls) {
    if (c.symbol == symbol) c.value = number;
  }
}

// The control inputs' values and the plug-in's own state, if it has one.
LilvState* Lv2Session::capture() {
  return lilv_state_new_from_instance(bundle.plugin(), instance, bundle.urids().mapFeature(),
                                      nullptr, nullptr, nullptr, nullptr, portValue, this,
                                      LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, bundle.features());
}

void Lv2Session::restore(const LilvState* state, bool withPorts) {
  lilv_state_restore(state, instance, withPorts ? setPortValue : nullptr, this, 0,
                     bundle.features());
}

bool Lv2Session::saveState(std::vector<uint8_t>& bytes) {
  LilvState* state = capture();
  if (!state) return false;
  if (currentProgram >= 0)
    lilv_state_set_label(state, bundle.presets()[currentProgram].label.c_str());
  UridTable& urids = bundle.urids();
  char* text = lilv_state_to_string(bundle.world(), urids.mapFeature(), urids.unmapFeature(), state,
                                    kSessionUri, nullptr);
  lilv_state_free(state);
  if (!text) return false;
  bytes.assign(text, text + std::strlen(text));
  lilv_free(text);
  return true;
}

// A session of another plug-in is refused; the label names the preset it was set from.
bool Lv2Session::loadState(const std::vector<uint8_t>& bytes) {
  const std::string text(bytes.begin(), bytes.end());
  LilvState* state =
      lilv_state_new_from_string(bundle.world(), bundle.urids().mapFeature(), text.c_str());
  if (!state) return false;
  const bool ours =
      lilv_node_equals(lilv_state_get_plugin_uri(state), lilv_plugin_get_uri(bundle.plugin()));
  if (ours) {
    restore(state, true);
    currentProgram = -1;
    const char* label = lilv_state_get_label(state);
    const std::vector<Lv2Preset>& presets = bundle.presets();
    for (size_t i = 0; label && i < presets.size(); ++i) {
      if (presets[i].label == label) currentProgram = static_cast<int32_t>(i);
    }
  }
  lilv_state_free(state);
  return ours;
}
