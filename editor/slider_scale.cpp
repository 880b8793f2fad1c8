#include "editor/slider_scale.h"

int32_t sliderPositionFromValue(float value) {
  double scaled = static_cast<double>(value) * static_cast<double>(1000.0f);
  // The control clamps positions to its range, so anything beyond one step past an end shows
  // alike; bounding first keeps the conversion defined for huge values, and NaN lands low.
  if (!(scaled >= -1.0)) {
    scaled = -1.0;
  } else if (scaled > 1001.0) {
    scaled = 1001.0;
  }
  return kSliderMaximum - static_cast<int32_t>(scaled);
}

float valueFromSliderPosition(int32_t position) {
  return static_cast<float>(static_cast<double>(kSliderMaximum - position) *
                            static_cast<double>(0.001f));
}
