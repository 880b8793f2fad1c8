#include "editor/control_actions.h"

#include "editor/control_mapping.h"
#include "editor/parameter_port.h"
#include "editor/slider_scale.h"

void refreshControls(ParameterPort& port, ControlView& view) {
  for (const ControlBinding& binding : kControlBindings) {
    const float value = port.parameterValue(binding.parameterIndex);
    if (binding.kind == ControlKind::slider) {
      view.showSliderPosition(binding.controlId, sliderPositionFromValue(value));
    } else {
      view.showCheckBox(binding.controlId, checkBoxShowsChecked(value));
    }
  }
}

void sendSliderPosition(ParameterPort& port, int32_t controlId, int32_t position) {
  const int32_t index = parameterIndexOfSlider(controlId);
  if (index >= 0) port.setFromGesture(index, valueFromSliderPosition(position));
}

void sendCheckBox(ParameterPort& port, bool checked) {
  const int32_t index = checkBoxParameter();
  port.beginGesture(index);
  port.setFromGesture(index, checked ? kCheckedValue : kClearedValue);
  port.endGesture(index);
}
