// What the self-drawn dialog shows and how it answers the user, apart from any window system:
// the sliders' positions, the check box, keyboard focus, a pressed button and a drag. Input
// arrives in unscaled pixels; every change the user makes goes to the parameter port as a gesture.
#pragma once

#include <cstdint>

#include "editor/control_actions.h"
#include "editor/trackbar.h"

class ParameterPort;

// The two buttons' targets; the platform opens them.
class ButtonActions {
 public:
  virtual ~ButtonActions() = default;
  virtual void openDocumentation() = 0;
  virtual void openWebSite() = 0;
};

enum class DialogKey { tab, backTab, up, down, left, right, pageUp, pageDown, home, end, space };

class DialogState : public ControlView {
 public:
  DialogState(ParameterPort& port, ButtonActions& actions);

  // A refresh from the parameters' values (ControlView).
  void showSliderPosition(int32_t controlId, int32_t position) override;
  void showCheckBox(int32_t controlId, bool checked) override;

  void press(int32_t x, int32_t y);
  void motion(int32_t x, int32_t y);
  void release(int32_t x, int32_t y);
  // Positive notches turn the wheel up, which moves a slider towards its top.
  void wheel(int32_t notches, int32_t x, int32_t y);
  // False when the key means nothing to the dialog.
  bool key(DialogKey key);

  int32_t sliderPosition(int32_t slider) const { return positions[slider]; }
  bool checkBoxChecked() const { return checked; }
  // Indexes into kDialogControls, -1 for none.
  int32_t focusedControl() const { return focus; }
  int32_t pressedControl() const { return pressed; }
  // Set by every change that needs a repaint; the window clears it.
  bool dirty = true;

  static constexpr int32_t kSliderCount = 5;
  // The slider index (refresh order) of a control index, or -1.
  static int32_t sliderOfControl(int32_t control);
  static int32_t controlOfSlider(int32_t slider);
  static PixelRect controlRect(int32_t control);

 private:
  int32_t controlAt(int32_t x, int32_t y) const;
  void moveSlider(int32_t slider, int32_t position);
  void stepSlider(int32_t slider, TrackStep step, int32_t times = 1);
  void activate(int32_t control);
  void moveFocus(int32_t direction);

  ParameterPort& port;
  ButtonActions& actions;
  int32_t positions[kSliderCount] = {};  // the common control starts at its top
  bool checked = false;
  int32_t focus = -1;
  int32_t pressed = -1;    // a button or the check box held down by the pointer
  int32_t dragged = -1;    // the slider whose thumb is held
  int32_t grabOffset = 0;  // pointer minus thumb centre when the drag began
};
