#include "engine/parameter_table.h"

// The table lives in the one function the engine lets reach its members.
const ParameterInfo* parameterAt(int32_t index) {
  static constexpr ParameterInfo kParameters[kParameterCount] = {
      {&OverdriveEffect::preBand, &OverdriveProgram::preBand, " PreBand  ", "",
       ParameterDisplay::value, ControlKind::slider,
       "Moves the drive stage's input from the full signal (0) to the tone filter's band-pass "
       "part alone (1): higher values drive the middle band and thin out lows and highs."},
      {&OverdriveEffect::color, &OverdriveProgram::color, "  Color   ", "", ParameterDisplay::value,
       ControlKind::slider,
       "Sets the tone filter's frequency (it follows Color cubed): where the band that PreBand "
       "picks out lies, from low and dark to high and bright."},
      {&OverdriveEffect::preAmp, &OverdriveProgram::preAmp, "  PreAmp  ", "",
       ParameterDisplay::value, ControlKind::slider,
       "The drive: gain 1 + 25 \u00d7 PreAmp\u00b3 into the shapers, or 1 + 2500 \u00d7 "
       "PreAmp\u00b3 with the x 100 switch on."},
      {&OverdriveEffect::x100Switch, &OverdriveProgram::x100Switch, "  x 100   ", "",
       ParameterDisplay::onOff, ControlKind::checkBox,
       "Multiplies the drive range by 100. In the editor it is the check box beside the "
       "lightning bolt."},
      {&OverdriveEffect::postFilter, &OverdriveProgram::postFilter, "PostFilter", "",
       ParameterDisplay::value, ControlKind::slider,
       "Two low-pass stages after the shapers: higher values darken and smooth the sound."},
      {&OverdriveEffect::postGain, &OverdriveProgram::postGain, " PostGain ", "",
       ParameterDisplay::valueMinusOne, ControlKind::slider,
       "The output gain, PostGain\u00b2. Its display shows PostGain minus 1, so 1.0 reads "
       "0.000000 and 0 reads -1.00000."},
  };
  return index >= 0 && index < kParameterCount ? &kParameters[index] : nullptr;
}
