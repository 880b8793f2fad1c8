// The plug-in's ports in index order: the two audio inputs and outputs, the six parameters in
// descriptor order, then the meter. The plug-in, its UI and the Turtle generator share it.
#pragma once

#include <cstdint>

#include "engine/parameter_descriptors.h"

enum AudioPort : uint32_t { kLeftIn, kRightIn, kLeftOut, kRightOut, kAudioPortCount };
constexpr uint32_t kMeterPort = kAudioPortCount + kParameterCount;
constexpr uint32_t kPortCount = kMeterPort + 1;

constexpr uint32_t portOfParameter(int32_t parameter) {
  return kAudioPortCount + static_cast<uint32_t>(parameter);
}

// The parameter a control input carries, or -1 for any other port.
constexpr int32_t parameterOfPort(uint32_t port) {
  return port >= kAudioPortCount && port < kMeterPort ? static_cast<int32_t>(port - kAudioPortCount)
                                                      : -1;
}

// LV2 reads a toggled port as on above 0, and hosts write one as 0 or 1 (Ardour turns 0.33 into
// 1); the engine's switch is on only above 0.5. So the bundle's defaults and presets and the UI's
// writes give a switch 0 or 1 by the engine's reading: the same sound, read either way.
inline float portValueOf(int32_t parameter, float value) {
  if (!kParameterDescriptors[parameter].toggle) return value;
  return switchIsOn(value) ? 1.0f : 0.0f;
}
