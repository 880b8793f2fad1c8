#include "editor/dialog_state.h"

#include "editor/control_mapping.h"
#include "editor/dialog_layout.h"
#include "editor/parameter_port.h"
#include "resources/metalui_ids.h"

DialogState::DialogState(ParameterPort& parameters, ButtonActions& buttonActions)
    : port(parameters), actions(buttonActions) {}

int32_t DialogState::sliderOfControl(int32_t control) {
  if (control < 0 || kDialogControls[control].kind != ControlClass::slider) return -1;
  for (int32_t slider = 0; slider < kSliderCount; ++slider) {
    if (kControlBindings[slider].controlId == kDialogControls[control].id) return slider;
  }
  return -1;
}

int32_t DialogState::controlOfSlider(int32_t slider) {
  for (int32_t control = 0; control < kDialogControlCount; ++control) {
    if (sliderOfControl(control) == slider) return control;
  }
  return -1;
}

PixelRect DialogState::controlRect(int32_t control) {
  const DialogControl& c = kDialogControls[control];
  return pixelRectOf(c.x, c.y, c.width, c.height);
}

void DialogState::showSliderPosition(int32_t controlId, int32_t position) {
  for (int32_t slider = 0; slider < kSliderCount; ++slider) {
    if (kControlBindings[slider].controlId != controlId) continue;
    // The control clamps what it is given to its range.
    const int32_t clamped = position < kSliderMinimum   ? kSliderMinimum
                            : position > kSliderMaximum ? kSliderMaximum
                                                        : position;
    // A thumb held by the pointer stays where the user holds it.
    if (slider != dragged && positions[slider] != clamped) {
      positions[slider] = clamped;
      dirty = true;
    }
  }
}

void DialogState::showCheckBox(int32_t, bool state) {
  if (checked != state) {
    checked = state;
    dirty = true;
  }
}

// Only the controls that take input: sliders, buttons and the check box.
int32_t DialogState::controlAt(int32_t x, int32_t y) const {
  for (int32_t control = 0; control < kDialogControlCount; ++control) {
    if (kDialogControls[control].tabStop && controlRect(control).contains(x, y)) return control;
  }
  return -1;
}

void DialogState::moveSlider(int32_t slider, int32_t position) {
  if (positions[slider] != position) dirty = true;
  positions[slider] = position;
  sendSliderPosition(port, kControlBindings[slider].controlId, position);
}

// One gesture of `times` equal steps; a step of the slider being dragged belongs to the drag's.
void DialogState::stepSlider(int32_t slider, TrackStep step, int32_t times) {
  const int32_t parameter = kControlBindings[slider].parameterIndex;
  const bool ownGesture = slider != dragged;
  if (ownGesture) port.beginGesture(parameter);
  for (int32_t i = 0; i < times; ++i) moveSlider(slider, steppedPosition(positions[slider], step));
  if (ownGesture) port.endGesture(parameter);
}

void DialogState::press(int32_t x, int32_t y) {
  const int32_t control = controlAt(x, y);
  if (control < 0) return;
  if (focus != control) dirty = true;
  focus = control;
  const int32_t slider = sliderOfControl(control);
  if (slider < 0) {
    pressed = control;
    dirty = true;
    return;
  }
  const TrackbarGeometry geometry(controlRect(control));
  const PixelRect thumb = geometry.thumb(positions[slider]);
  if (y >= thumb.top && y < thumb.bottom) {
    dragged = slider;
    grabOffset = y - geometry.thumbCentre(positions[slider]);
    port.beginGesture(kControlBindings[slider].parameterIndex);
  } else {
    stepSlider(slider, y < thumb.top ? TrackStep::pageUp : TrackStep::pageDown);
  }
}

void DialogState::motion(int32_t, int32_t y) {
  if (dragged < 0) return;
  const TrackbarGeometry geometry(controlRect(controlOfSlider(dragged)));
  const int32_t position = geometry.positionAt(y - grabOffset);
  if (position != positions[dragged]) moveSlider(dragged, position);
}

void DialogState::release(int32_t x, int32_t y) {
  if (dragged >= 0) {
    // The end of a drag sends the final position once more, as the trackbar's TB_ENDTRACK.
    motion(x, y);
    moveSlider(dragged, positions[dragged]);
    port.endGesture(kControlBindings[dragged].parameterIndex);
    dragged = -1;
    return;
  }
  if (pressed < 0) return;
  const int32_t control = pressed;
  pressed = -1;
  dirty = true;
  if (controlRect(control).contains(x, y)) activate(control);
}

void DialogState::wheel(int32_t notches, int32_t x, int32_t y) {
  int32_t slider = sliderOfControl(controlAt(x, y));
  if (slider < 0) slider = sliderOfControl(focus);
  if (slider < 0 || notches == 0) return;
  stepSlider(slider, notches > 0 ? TrackStep::lineUp : TrackStep::lineDown,
             notches > 0 ? notches : -notches);
}

void DialogState::activate(int32_t control) {
  switch (kDialogControls[control].id) {
    case IDC_X100_CHECKBOX:
      // Shown at once; the refresh after the host stored it shows the same.
      checked = !checked;
      dirty = true;
      sendCheckBox(port, checked);
      break;
    case IDC_DOCS_BUTTON: actions.openDocumentation(); break;
    case IDC_WEB_BUTTON: actions.openWebSite(); break;
    default: break;
  }
}

// Tab and Shift+Tab walk the tab stops in template order and wrap around.
void DialogState::moveFocus(int32_t direction) {
  int32_t control = focus < 0 ? (direction > 0 ? -1 : 0) : focus;
  do {
    control = (control + direction + kDialogControlCount) % kDialogControlCount;
  } while (!kDialogControls[control].tabStop);
  focus = control;
  dirty = true;
}

bool DialogState::key(DialogKey key) {
  if (key == DialogKey::tab || key == DialogKey::backTab) {
    moveFocus(key == DialogKey::tab ? 1 : -1);
    return true;
  }
  if (focus < 0) return false;
  const int32_t slider = sliderOfControl(focus);
  if (slider < 0) {
    if (key != DialogKey::space) return false;
    activate(focus);
    return true;
  }
  switch (key) {
    case DialogKey::up:
    case DialogKey::left: stepSlider(slider, TrackStep::lineUp); return true;
    case DialogKey::down:
    case DialogKey::right: stepSlider(slider, TrackStep::lineDown); return true;
    case DialogKey::pageUp: stepSlider(slider, TrackStep::pageUp); return true;
    case DialogKey::pageDown: stepSlider(slider, TrackStep::pageDown); return true;
    case DialogKey::home: stepSlider(slider, TrackStep::top); return true;
    case DialogKey::end: stepSlider(slider, TrackStep::bottom); return true;
    default: return false;
  }
}
