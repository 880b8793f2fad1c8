// What the editor's controls do to the parameters and how they show them, on every platform: a
// slider position or a check box click becomes a gesture on the port, and a refresh reads each
// of the six values once and hands the control states to the platform's window.
#pragma once

#include <cstdint>

class ParameterPort;

// The platform's side of a refresh.
class ControlView {
 public:
  virtual ~ControlView() = default;
  virtual void showSliderPosition(int32_t controlId, int32_t position) = 0;
  virtual void showCheckBox(int32_t controlId, bool checked) = 0;
};

// Each value is read once; the host may change it meanwhile on another thread.
void refreshControls(ParameterPort& port, ControlView& view);

// The user moved the slider controlId to position, within a gesture the caller began on its
// parameter; other identifiers do nothing.
void sendSliderPosition(ParameterPort& port, int32_t controlId, int32_t position);

// The user set the check box to checked: 0.66, or 0.3 when cleared; one whole gesture.
void sendCheckBox(ParameterPort& port, bool checked);

// Opens of one editor not yet matched by a close, never below 0. Only the first open creates
// the window and only the last close destroys it; a failed creation is not counted.
class OpenCount {
 public:
  // True when the window exists already and this open only nests.
  bool nests() {
    if (count == 0) return false;
    ++count;
    return true;
  }
  void firstOpened() { count = 1; }
  // True when this close is the last one and the window goes.
  bool lastClosed() { return count > 0 && --count == 0; }
  void reset() { count = 0; }

 private:
  int32_t count = 0;
};
