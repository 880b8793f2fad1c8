// Which dialog control stands for which parameter. A two-state parameter is shown by the check
// box, every other one by a slider, in the order of the parameter table.
#pragma once

#include <array>
#include <cstdint>

#include "engine/parameter_descriptors.h"

enum class ControlKind { slider, checkBox };

struct ControlBinding {
  int32_t controlId;
  int32_t parameterIndex;
  ControlKind kind;
};

// In refresh order: the sliders, then the check box.
extern const std::array<ControlBinding, kParameterCount> kControlBindings;

// The parameter a slider moves, or -1 when the identifier is no slider.
int32_t parameterIndexOfSlider(int32_t controlId);

// The parameter the check box switches.
int32_t checkBoxParameter();
