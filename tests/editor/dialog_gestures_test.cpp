// What the user does in the dialog reaches the parameters as gestures: a drag, a click, a key
// press or a wheel turn is one begin, its values and one end, on the parameter the control
// stands for, so hosts that record gestures (LV2 touch, CLAP, VST3 edits) see whole ones.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/dialog_layout.h"
#include "editor/dialog_state.h"
#include "editor/parameter_port.h"
#include "editor/slider_scale.h"
#include "resources/metalui_ids.h"

namespace {

// Writes "b2", "s2", "e2" for begin, set and end on parameter 2.
class RecordingPort : public ParameterPort {
 public:
  float parameterValue(int32_t index) override { return values[index]; }
  void beginGesture(int32_t index) override { log += " b" + std::to_string(index); }
  void setFromGesture(int32_t index, float value) override {
    values[index] = value;
    log += " s" + std::to_string(index);
  }
  void endGesture(int32_t index) override { log += " e" + std::to_string(index); }
  bool takeChanges() override { return false; }
  float values[6] = {};
  std::string log;
};

struct NoButtons : ButtonActions {
  void openDocumentation() override {}
  void openWebSite() override {}
};

int32_t controlWithId(int32_t id) {
  for (int32_t c = 0; c < kDialogControlCount; ++c) {
    if (kDialogControls[c].id == id) return c;
  }
  return -1;
}

// The centre of the PreAmp slider's thumb (slider 2 in refresh order: its parameter is 2).
struct Thumb {
  explicit Thumb(const DialogState& state)
      : geometry(DialogState::controlRect(controlWithId(IDC_PREAMP_SLIDER))),
        x(geometry.channelX),
        y(geometry.thumbCentre(state.sliderPosition(2))) {}
  TrackbarGeometry geometry;
  int32_t x, y;
};

void clickCheckBox(DialogState& dialog) {
  const PixelRect box = DialogState::controlRect(controlWithId(IDC_X100_CHECKBOX));
  dialog.press(box.left + 2, box.top + 2);
  dialog.release(box.left + 2, box.top + 2);
}

TEST(DialogGestures, EachUserActionIsOneWholeGestureOnItsParameter) {
  struct Case {
    const char* action;
    std::function<void(DialogState&)> perform;
    const char* log;
  };
  const std::vector<Case> cases = {
      {"drag a thumb",
       [](DialogState& d) {
         const Thumb t(d);
         d.press(t.x, t.y);
         d.motion(t.x, t.y + 10);
         d.motion(t.x, t.y + 20);
         d.release(t.x, t.y + 20);
       },
       " b2 s2 s2 s2 e2"},
      {"click the track below the thumb",
       [](DialogState& d) {
         const Thumb t(d);
         d.press(t.x, t.geometry.travelBottom);
         d.release(t.x, t.geometry.travelBottom);
       },
       " b2 s2 e2"},
      {"turn the wheel three notches",
       [](DialogState& d) {
         const Thumb t(d);
         d.wheel(-3, t.x, t.y);
       },
       " b2 s2 s2 s2 e2"},
      {"arrow key during a drag of the same slider",
       [](DialogState& d) {
         const Thumb t(d);
         d.press(t.x, t.y);
         d.key(DialogKey::down);
         d.release(t.x, t.y);
       },
       " b2 s2 s2 s2 e2"},
      {"click the check box", clickCheckBox, " b3 s3 e3"},
      {"space on the focused check box",
       [](DialogState& d) {
         clickCheckBox(d);
         d.key(DialogKey::space);
       },
       " b3 s3 e3 b3 s3 e3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    RecordingPort port;
    NoButtons buttons;
    DialogState dialog(port, buttons);
    c.perform(dialog);
    EXPECT_EQ(port.log, c.log);
  }
}

TEST(DialogGestures, TheCheckBoxSendsItsTwoValuesToTheSwitchParameter) {
  RecordingPort port;
  NoButtons buttons;
  DialogState dialog(port, buttons);
  clickCheckBox(dialog);
  EXPECT_EQ(port.values[3], kCheckedValue);
  dialog.key(DialogKey::space);
  EXPECT_EQ(port.values[3], kClearedValue);
}

}  // namespace
