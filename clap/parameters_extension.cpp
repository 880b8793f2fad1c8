// clap.params: the six descriptors with their indices as ids, and the programs as one more
// stepped parameter. Values are the engine's, 0 to 1 as the host sends them; the texts are the
// VST2 display's.
#include <cstdio>
#include <cstring>

#include "clap/overdrive_clap.h"
#include "clap/plugin_identity.h"
#include "engine/float_environment.h"

namespace {

constexpr uint32_t kParameterIds = kParameterCount;

bool isProgramId(clap_id id) { return id == kProgramParameterId; }

void copyText(const char* text, char* out, uint32_t size) { std::snprintf(out, size, "%s", text); }

uint32_t count(const clap_plugin_t*) { return kParameterIds + 1; }

bool info(const clap_plugin_t*, uint32_t index, clap_param_info_t* info) {
  if (!info || index > kParameterIds) return false;
  std::memset(info, 0, sizeof *info);
  if (index == kParameterIds) {
    info->id = kProgramParameterId;
    info->flags = CLAP_PARAM_IS_STEPPED | CLAP_PARAM_IS_AUTOMATABLE;
    copyText("Program", info->name, sizeof info->name);
    info->max_value = OverdriveEngine::kProgramCount - 1;
    return true;
  }
  const ParameterDescriptor& descriptor = kParameterDescriptors[index];
  info->id = index;
  info->flags = CLAP_PARAM_IS_AUTOMATABLE | (descriptor.toggle ? CLAP_PARAM_IS_STEPPED : 0);
  copyText(descriptor.name, info->name, sizeof info->name);
  info->min_value = descriptor.minimum;
  info->max_value = descriptor.maximum;
  info->default_value = descriptor.defaultValue;
  return true;
}

bool value(const clap_plugin_t* plugin, clap_id id, double* value) {
  const VectorUnitDefaults defaults;
  const OverdriveEngine& engine = OverdriveClap::of(plugin).engine;
  if (!value) return false;
  if (isProgramId(id)) {
    *value = engine.currentProgram();
  } else if (id < kParameterIds) {
    *value = engine.parameter(static_cast<int32_t>(id));
  } else {
    return false;
  }
  return true;
}

bool valueToText(const clap_plugin_t* plugin, clap_id id, double value, char* out, uint32_t size) {
  const VectorUnitDefaults defaults;
  if (!out || size == 0) return false;
  if (isProgramId(id)) {
    // The program the value selects, as selecting it would round.
    const char* name = OverdriveClap::of(plugin).engine.programName(programAt(value));
    if (!name) return false;
    copyText(name, out, size);
    return true;
  }
  if (id >= kParameterIds) return false;
  char text[kDisplaySize];
  formatParameterValue(static_cast<int32_t>(id), static_cast<float>(value), text);
  copyText(text, out, size);
  return true;
}

bool textToValue(const clap_plugin_t* plugin, clap_id id, const char* text, double* value) {
  const VectorUnitDefaults defaults;
  if (!text || !value) return false;
  if (isProgramId(id)) {
    const int32_t program = OverdriveClap::of(plugin).engine.programIndexOf(text);
    if (program < 0) return false;
    *value = program;
    return true;
  }
  float parsed = 0.0f;
  if (id >= kParameterIds || !parseParameterText(static_cast<int32_t>(id), text, parsed))
    return false;
  *value = parsed;
  return true;
}

void flush(const clap_plugin_t* plugin, const clap_input_events_t* in,
           const clap_output_events_t* out) {
  OverdriveClap::of(plugin).flush(in, out);
}

}  // namespace

const clap_plugin_params_t kParamsExtension = {&count,       &info,        &value,
                                               &valueToText, &textToValue, &flush};
