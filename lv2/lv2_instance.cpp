#include "lv2/lv2_instance.h"

#include <lv2/atom/atom.h>
#include <lv2/core/lv2_util.h>

#include <cmath>
#include <cstring>
#include <utility>

#include "engine/float_environment.h"
#include "lv2/plugin_uris.h"

namespace {

// How far lilv's 8 decimal places can move a restored value (7.45e-9 at most).
constexpr double kWrittenBackTolerance = 1e-8;

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Whether a port holds a restored value as the host wrote it back, in the default floating-point
// state whatever the host's thread set.
bool writtenBack(float port, float restored) {
  const VectorUnitDefaults defaults;
  return std::fabs(static_cast<double>(port) - restored) <= kWrittenBackTolerance;
}

}  // namespace

Lv2Instance::Lv2Instance(const LV2_Feature* const* features) {
  for (int32_t i = 0; i < kParameterCount; ++i) taken[i] = engine.parameter(i);
  if (const auto* map =
          static_cast<const LV2_URID_Map*>(lv2_features_data(features, LV2_URID__map))) {
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

// A port reaches the engine when its value changed since the last run; in the first run after a
// restore, when it differs from the restored value by more than the host's writing back moves it.
void Lv2Instance::takeControls() {
  const bool afterRestore = std::exchange(restored, false);
  for (int32_t i = 0; i < kParameterCount; ++i) {
    if (!controls[i]) continue;
    const float value = *controls[i];
    const bool kept =
        afterRestore ? writtenBack(value, engine.parameter(i)) : sameBits(value, taken[i]);
    taken[i] = value;
    if (!kept) engine.setParameter(i, value);
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
