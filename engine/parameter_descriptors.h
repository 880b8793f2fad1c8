// The six parameters as data, read by every format: a stable symbol, the name, the range, the
// default, the unit, whether it is a two-state switch, and how its value is shown.
#pragma once

#include <cstddef>
#include <cstdint>

enum class ParameterDisplay {
  value,          // float2string of the value
  onOff,          // "ON" from 0.5 on, otherwise "OFF"
  valueMinusOne,  // float2string of the value minus 1, rounded to float
};

struct ParameterDescriptor {
  // Hosts store automation, presets and sessions by it: it never changes once shipped.
  const char* symbol;
  const char* name;
  float minimum, maximum;
  float defaultValue;  // the value in program "Reset"
  const char* unit;    // shown beside the display: none
  bool toggle;         // a two-state switch: the check box, a stepped parameter
  ParameterDisplay display;
};

// The parameters' indices, in the order every format lists them.
enum ParameterIndex : int32_t { kPreBand, kColor, kPreAmp, kX100Switch, kPostFilter, kPostGain };
constexpr int32_t kParameterCount = 6;
extern const ParameterDescriptor kParameterDescriptors[kParameterCount];

// How the engine reads a switch's value: on strictly above 0.5; exactly 0.5 and NaN are off.
constexpr bool switchIsOn(float value) { return value > 0.5f; }

// The descriptor at `index`, or null outside 0 to 5.
const ParameterDescriptor* parameterAt(int32_t index);
// The index of the parameter with this symbol, or -1.
int32_t parameterIndexOf(const char* symbol);

// Display texts are at most 8 characters; a buffer of kDisplaySize bytes always holds one.
constexpr size_t kDisplaySize = 9;
// The text a host shows for `value` of the parameter at `index` (which must exist).
void formatParameterValue(int32_t index, float value, char (&text)[kDisplaySize]);
// Reads a display text back: the value whose display is `text` where one is near the number it
// spells ("ON"/"OFF" give 1 and 0). False, and `value` untouched, for text that is no number.
bool parseParameterText(int32_t index, const char* text, float& value);
