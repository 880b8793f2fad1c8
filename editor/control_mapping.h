// Which dialog control stands for which parameter. The kind of control each parameter has
// comes from the parameter table; the sliders skip the check box's parameter.
#pragma once

#include <array>
#include <cstdint>

#include "engine/parameter_table.h"

struct ControlBinding {
  int32_t controlId;
  int32_t parameterIndex;
  ControlKind kind;
};

// In refresh order: the sliders, then the check box.
extern const std::array<ControlBinding, kParameterCount> kControlBindings;

// The parameter a slider moves, or -1 when the identifier is no slider.
int32_t parameterIndexOfSlider(int32_t controlId);
