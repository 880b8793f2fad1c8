#include "editor/control_mapping.h"

#include "resources/metalui_ids.h"

namespace {

// The dialog's control for each parameter, by index.
constexpr int32_t kControlIds[kParameterCount] = {
    IDC_PREBAND_SLIDER, IDC_COLOR_SLIDER,      IDC_PREAMP_SLIDER,
    IDC_X100_CHECKBOX,  IDC_POSTFILTER_SLIDER, IDC_POSTGAIN_SLIDER,
};

ControlKind kindOf(int32_t index) {
  return kParameterDescriptors[index].toggle ? ControlKind::checkBox : ControlKind::slider;
}

std::array<ControlBinding, kParameterCount> inRefreshOrder() {
  std::array<ControlBinding, kParameterCount> bindings{};
  size_t next = 0;
  for (const ControlKind kind : {ControlKind::slider, ControlKind::checkBox}) {
    for (int32_t i = 0; i < kParameterCount; ++i) {
      if (kindOf(i) == kind) bindings[next++] = {kControlIds[i], i, kind};
    }
  }
  return bindings;
}

}  // namespace

const std::array<ControlBinding, kParameterCount> kControlBindings = inRefreshOrder();

int32_t parameterIndexOfSlider(int32_t controlId) {
  for (const ControlBinding& binding : kControlBindings) {
    if (binding.kind == ControlKind::slider && binding.controlId == controlId) {
      return binding.parameterIndex;
    }
  }
  return -1;
}

int32_t checkBoxParameter() {
  for (const ControlBinding& binding : kControlBindings) {
    if (binding.kind == ControlKind::checkBox) return binding.parameterIndex;
  }
  return -1;
}
