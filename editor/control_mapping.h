// Which dialog control stands for which parameter. The sliders skip parameter 3, which
// belongs to the check box.
#pragma once

#include <cstdint>

enum class ControlKind { slider, checkBox };

struct ControlBinding {
  int32_t controlId;
  int32_t parameterIndex;
  ControlKind kind;
};

// In refresh order: the five sliders, then the check box.
extern const ControlBinding kControlBindings[6];

// The parameter a slider moves, or -1 when the identifier is no slider.
int32_t parameterIndexOfSlider(int32_t controlId);
