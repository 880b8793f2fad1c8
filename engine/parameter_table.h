// The six parameters as data: where each value lives, what the host sees, how it is shown.
#pragma once

#include <cstdint>

#include "engine/overdrive_effect.h"

// Which editor control shows a parameter.
enum class ControlKind { slider, checkBox };

enum class ParameterDisplay {
  value,          // float2string of the value
  onOff,          // "ON" from 0.5 on, otherwise "OFF"
  valueMinusOne,  // float2string of the value minus 1, rounded to float
};

struct ParameterInfo {
  std::atomic<float> OverdriveEffect::*current;
  float OverdriveProgram::*stored;
  const char* name;   // 10 characters
  const char* label;  // the unit the host shows beside the display: none
  ParameterDisplay display;
  ControlKind control;
  const char* role;  // what it does to the sound, for the manual
};

constexpr int32_t kParameterCount = 6;

// The parameter at `index`, or null outside 0 to 5.
const ParameterInfo* parameterAt(int32_t index);
