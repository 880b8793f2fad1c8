#include "engine/parameter_table.h"

// The table lives in the one function the engine lets reach its members.
const ParameterInfo* parameterAt(int32_t index) {
  static constexpr ParameterInfo kParameters[kParameterCount] = {
      {&OverdriveEffect::preBand, &OverdriveProgram::preBand, " PreBand  ",
       ParameterDisplay::value},
      {&OverdriveEffect::color, &OverdriveProgram::color, "  Color   ", ParameterDisplay::value},
      {&OverdriveEffect::preAmp, &OverdriveProgram::preAmp, "  PreAmp  ", ParameterDisplay::value},
      {&OverdriveEffect::x100Switch, &OverdriveProgram::x100Switch, "  x 100   ",
       ParameterDisplay::onOff},
      {&OverdriveEffect::postFilter, &OverdriveProgram::postFilter, "PostFilter",
       ParameterDisplay::value},
      {&OverdriveEffect::postGain, &OverdriveProgram::postGain, " PostGain ",
       ParameterDisplay::valueMinusOne},
  };
  return index >= 0 && index < kParameterCount ? &kParameters[index] : nullptr;
}
