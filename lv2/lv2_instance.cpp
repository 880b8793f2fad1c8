#include "lv2/lv2_instance.h"

#include <lv2/atom/atom.h>

#include <cmath>
#include <cstring>

#include "engine/float_environment.h"
#include "lv2/plugin_uris.h"

namespace {

// How far lilv's 8 decimal places can move a restored value (7.45e-9 at most).
constexpr double kWrittenBackTolerance = 1e-8;

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

Lv2Instance::Lv2Instance(const LV2_Feature* const* features) {
  for (int32_t i = 0; i < kParameterCount; ++i) taken[i] = engine.parameter(i);
  for (; features && *features; ++features) {
    if (std::strcmp((*features)->URI, LV2_URID__map) != 0 || !(*features)->data) continue;
    const auto* map = static_cast<const LV2_URID_Map*>((*features)->data);
    stateKey = map->map(map->handle, kStateKeyUri);
    chunkType = map->map(map->handle, LV2_ATOM__Chunk);
  }
}

void Lv2Instance::connectPort(uint32_t port, void* data) {
  if (port < kAudioPortCount) {
    audio[port] = static_cast<float*>(data);
  } else if (const int32_t parameter = parameterOfPort(port); parameter >= 0) {
    controls[parameter] = static_cast<const float*>(data);
  } else if (port == kMeterPort) {
    meter = static_cast<float*>(data);
  }
}

void Lv2Instance::takeControls() {
  if (restored) {
    takeRestoredControls();
    return;
  }
  for (int32_t i = 0; i < kParameterCount; ++i) {
    if (!controls[i]) continue;
    const float value = *controls[i];
    if (sameBits(value, taken[i])) continue;
    taken[i] = value;
    engine.setParameter(i, value);
  }
}

// Compares in the default floating-point state, so that a host's flushing cannot decide.
void Lv2Instance::takeRestoredControls() {
  const VectorUnitDefaults defaults;
  restored = false;
  for (int32_t i = 0; i < kParameterCount; ++i) {
    if (!controls[i]) continue;
    const float value = *controls[i];
    taken[i] = value;
    const double distance = std::fabs(static_cast<double>(value) - engine.parameter(i));
    if (!(distance <= kWrittenBackTolerance)) engine.setParameter(i, value);
  }
}

void Lv2Instance::run(uint32_t frames) {
  takeControls();
  float* inputs[2] = {audio[kLeftIn], audio[kRightIn]};
  float* outputs[2] = {audio[kLeftOut], audio[kRightOut]};
  if (!inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) return;
  // The engine counts frames in int32_t; LV2 in uint32_t.
  while (frames > 0) {
    const uint32_t block = frames < INT32_MAX ? frames : INT32_MAX;
    engine.processReplacing(inputs, outputs, static_cast<int32_t>(block));
    for (float*& channel : inputs) channel += block;
    for (float*& channel : outputs) channel += block;
    frames -= block;
  }
  if (meter) *meter = engine.meter();
}

LV2_State_Status Lv2Instance::save(LV2_State_Store_Function store, LV2_State_Handle handle) const {
  if (!stateKey) return LV2_STATE_ERR_NO_FEATURE;
  uint8_t bytes[OverdriveEngine::kStateSize];
  engine.saveState(bytes);
  // Little-endian whatever the machine: portable as well as plain data.
  return store(handle, stateKey, bytes, sizeof bytes, chunkType,
               LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status Lv2Instance::restore(LV2_State_Retrieve_Function retrieve,
                                      LV2_State_Handle handle) {
  if (!stateKey) return LV2_STATE_ERR_NO_FEATURE;
  size_t size = 0;
  uint32_t type = 0, flags = 0;
  const void* bytes = retrieve(handle, stateKey, &size, &type, &flags);
  // A state without the blob (a preset of port values) leaves everything to the ports.
  if (!bytes) return LV2_STATE_SUCCESS;
  if (type != chunkType || !engine.loadState(bytes, size)) return LV2_STATE_ERR_BAD_TYPE;
  restored = true;
  return LV2_STATE_SUCCESS;
}
