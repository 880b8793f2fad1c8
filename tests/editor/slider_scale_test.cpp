// Where values stand on the sliders and check box, and what the controls send back.
#include "editor/slider_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

#include "editor/control_mapping.h"

namespace {

TEST(SliderScale, ValuesStandWhereTheyShould) {
  const std::pair<float, int32_t> cases[] = {{1.0f, 0},   {0.75f, 250}, {0.5f, 500},
                                             {0.3f, 700}, {0.0f, 1000}, {0.66f, 340}};
  for (auto [value, position] : cases) EXPECT_EQ(sliderPositionFromValue(value), position) << value;
}

TEST(SliderScale, ValuesBeyondTheRangeLandBeyondTheEnds) {
  EXPECT_LT(sliderPositionFromValue(1.5f), 0);
  EXPECT_GT(sliderPositionFromValue(-0.2f), 1000);
  EXPECT_LT(sliderPositionFromValue(1e30f), 0);
  EXPECT_GT(sliderPositionFromValue(-std::numeric_limits<float>::infinity()), 1000);
  EXPECT_GT(sliderPositionFromValue(std::nanf("")), 1000) << "NaN shows at the bottom";
  EXPECT_EQ(sliderPositionFromValue(-0.0009f), 1000) << "truncation toward zero";
}

TEST(SliderScale, PositionsSendExactValues) {
  EXPECT_EQ(valueFromSliderPosition(0), 1.0f);
  EXPECT_EQ(valueFromSliderPosition(500), 0.5f);
  EXPECT_EQ(valueFromSliderPosition(1000), 0.0f);
  EXPECT_EQ(valueFromSliderPosition(250), std::nextafter(0.75f, 1.0f));
  EXPECT_EQ(valueFromSliderPosition(700), 0.3f);
  EXPECT_EQ(valueFromSliderPosition(412), 0.588f);
}

TEST(SliderScale, ThirteenPositionsComeBackOneStepDown) {
  std::map<int32_t, int32_t> moved;
  for (int32_t p = 0; p <= 1000; ++p) {
    const int32_t back = sliderPositionFromValue(valueFromSliderPosition(p));
    if (back != p) moved[p] = back;
  }
  const std::map<int32_t, int32_t> expected = {
      {412, 413}, {435, 436}, {449, 450}, {472, 473}, {486, 487}, {495, 496}, {706, 707},
      {736, 737}, {743, 744}, {853, 854}, {868, 869}, {934, 935}, {967, 968}};
  EXPECT_EQ(moved, expected);
}

TEST(CheckBox, SendsItsTwoValuesAndShowsCheckedFromOneHalf) {
  EXPECT_EQ(kCheckedValue, 0.66f);
  EXPECT_EQ(kClearedValue, 0.3f);
  EXPECT_TRUE(checkBoxShowsChecked(0.5f)) << "checked at 0.5 although the x100 gain needs more";
  EXPECT_TRUE(checkBoxShowsChecked(kCheckedValue));
  EXPECT_FALSE(checkBoxShowsChecked(0.49999f));
  EXPECT_FALSE(checkBoxShowsChecked(kClearedValue));
  EXPECT_FALSE(checkBoxShowsChecked(std::nanf("")));
}

TEST(ControlMapping, SlidersSkipTheCheckBoxParameter) {
  const std::pair<int32_t, int32_t> sliders[] = {{666, 0}, {667, 1}, {668, 2}, {669, 4}, {670, 5}};
  for (auto [id, index] : sliders) EXPECT_EQ(parameterIndexOfSlider(id), index) << id;
  for (int32_t id : {6660, 6666, 7777, 665, 671, -1, 0}) {
    EXPECT_EQ(parameterIndexOfSlider(id), -1) << id;
  }
  int checkBoxes = 0;
  for (const ControlBinding& binding : kControlBindings) {
    if (binding.kind == ControlKind::checkBox) {
      ++checkBoxes;
      EXPECT_EQ(binding.controlId, 6660);
      EXPECT_EQ(binding.parameterIndex, 3);
    }
  }
  EXPECT_EQ(checkBoxes, 1);
}

}  // namespace
