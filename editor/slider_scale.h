// How parameter values stand on the sliders and the x100 check box. Position 0 is a vertical
// slider's top end and means 1.0; position 1000 is its bottom end and means 0.0.
#pragma once

#include <cstdint>

constexpr int32_t kSliderMinimum = 0;
constexpr int32_t kSliderMaximum = 1000;
constexpr int32_t kSliderTicFrequency = 250;

// 1000 minus the value times 1000, truncated. Values beyond 0..1 land beyond the ends.
int32_t sliderPositionFromValue(float value);

// (1000 - position) x 0.001, rounded to float once: the ends give exactly 1.0 and 0.0.
float valueFromSliderPosition(int32_t position);

// The values a click on the check box sends; never 1.0 or 0.0.
constexpr float kCheckedValue = 0.66f;
constexpr float kClearedValue = 0.3f;

// The box shows checked from 0.5 on (the engine's x100 needs more than 0.5); NaN shows clear.
inline bool checkBoxShowsChecked(float value) { return value >= 0.5f; }
