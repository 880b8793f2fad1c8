#include "editor/control_mapping.h"

#include "resources/metalui_ids.h"

const ControlBinding kControlBindings[6] = {
    {IDC_PREBAND_SLIDER, 0, ControlKind::slider},  {IDC_COLOR_SLIDER, 1, ControlKind::slider},
    {IDC_PREAMP_SLIDER, 2, ControlKind::slider},   {IDC_POSTFILTER_SLIDER, 4, ControlKind::slider},
    {IDC_POSTGAIN_SLIDER, 5, ControlKind::slider}, {IDC_X100_CHECKBOX, 3, ControlKind::checkBox},
};

int32_t parameterIndexOfSlider(int32_t controlId) {
  for (const ControlBinding& binding : kControlBindings) {
    if (binding.kind == ControlKind::slider && binding.controlId == controlId) {
      return binding.parameterIndex;
    }
  }
  return -1;
}
