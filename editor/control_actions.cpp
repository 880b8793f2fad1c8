#include "editor/control_actions.h"

#include "editor/control_mapping.h"
#include "editor/slider_scale.h"
#include "host/effect_base.h"

void refreshControls(EffectBase& effect, ControlView& view) {
  for (const ControlBinding& binding : kControlBindings) {
    const float value = effect.getParameter(binding.parameterIndex);
    if (binding.kind == ControlKind::slider) {
      view.showSliderPosition(binding.controlId, sliderPositionFromValue(value));
    } else {
      view.showCheckBox(binding.controlId, checkBoxShowsChecked(value));
    }
  }
}

void sendSliderPosition(EffectBase& effect, int32_t controlId, int32_t position) {
  const int32_t index = parameterIndexOfSlider(controlId);
  if (index >= 0) effect.setParameterAutomated(index, valueFromSliderPosition(position));
}

void sendCheckBox(EffectBase& effect, bool checked) {
  effect.setParameterAutomated(3, checked ? kCheckedValue : kClearedValue);
}
