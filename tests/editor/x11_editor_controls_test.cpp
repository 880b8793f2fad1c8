// The Linux editor's controls under Xvfb, driven with XTest: drags, track clicks, the wheel and
// the keys move the sliders as the Windows trackbar does and send automation on the slider
// scale; the check box and the buttons act on release; the host's values show after one idle.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include "editor/control_mapping.h"
#include "editor/dialog_layout.h"
#include "editor/dialog_state.h"
#include "editor/slider_scale.h"
#include "editor/web_site.h"
#include "resources/metalui_ids.h"
#include "x11_host.h"

namespace {

constexpr uint32_t kTab = 0xff09, kSpace = 0x20, kHome = 0xff50, kLeft = 0xff51, kUp = 0xff52,
                   kRight = 0xff53, kDown = 0xff54, kPageUp = 0xff55, kPageDown = 0xff56,
                   kEnd = 0xff57;

PixelRect sliderRect(int32_t slider) {
  return DialogState::controlRect(DialogState::controlOfSlider(slider));
}

PixelRect controlRect(int32_t id) {
  for (int32_t control = 0; control < kDialogControlCount; ++control) {
    if (kDialogControls[control].id == id) return DialogState::controlRect(control);
  }
  return {};
}

int32_t middleX(const PixelRect& r) { return (r.left + r.right) / 2; }
int32_t middleY(const PixelRect& r) { return (r.top + r.bottom) / 2; }

// A value the slider scale gives for some position.
bool onSliderScale(float value) {
  const auto position = static_cast<int32_t>(std::lround(1000.0 - value * 1000.0));
  return value == valueFromSliderPosition(position);
}

class X11EditorControls : public X11EditorHost {
 protected:
  void SetUp() override {
    X11EditorHost::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    effect = createInstance();
    ASSERT_NE(effect, nullptr);
    editor = openEditor(effect, makeParent(0, 0));
    ASSERT_NE(editor, 0u);
  }

  void setParameter(int32_t index, float value) { effect->setParameter(effect, index, value); }
  float parameter(int32_t index) { return effect->getParameter(effect, index); }
  int32_t thumbOf(int32_t slider) { return thumbCentre(picture(editor), sliderRect(slider)); }

  AEffect* effect = nullptr;
  xcb_window_t editor = 0;
};

TEST_F(X11EditorControls, DraggingEachThumbSetsItsParameterOnTheSliderScale) {
  for (int32_t slider = 0; slider < DialogState::kSliderCount; ++slider) {
    SCOPED_TRACE(slider);
    const int32_t index = kControlBindings[slider].parameterIndex;
    setParameter(index, 0.0f);
    settle(effect);
    const int32_t bottom = thumbOf(slider);
    setParameter(index, 1.0f);
    settle(effect);
    const int32_t top = thumbOf(slider);
    ASSERT_GT(top, 0);
    ASSERT_GT(bottom, top + 50);
    float others[6];
    for (int32_t i = 0; i < 6; ++i) others[i] = parameter(i);
    host.requests.clear();

    const int32_t x = middleX(sliderRect(slider));
    moveTo(editor, x, top);
    button(1, true);
    moveTo(editor, x, top + (bottom - top) / 4);
    moveTo(editor, x, top + (bottom - top) / 2);
    button(1, false);

    const std::vector<HostRequest> sent = automations();
    ASSERT_GE(sent.size(), 3u) << "two moves and the end of the drag";
    for (size_t i = 0; i < sent.size(); ++i) {
      EXPECT_EQ(sent[i].index, index);
      EXPECT_TRUE(onSliderScale(sent[i].opt)) << sent[i].opt;
      if (i > 0) {
        EXPECT_LE(sent[i].opt, sent[i - 1].opt) << "a drag down only lowers the value";
      }
    }
    EXPECT_EQ(sent.back().opt, parameter(index));
    EXPECT_NEAR(parameter(index), 0.5f, 0.02f);
    for (int32_t i = 0; i < 6; ++i) {
      if (i != index) {
        EXPECT_EQ(parameter(i), others[i]) << "parameter " << i;
      }
    }
    settle(effect);
    EXPECT_NEAR(thumbOf(slider), top + (bottom - top) / 2, 1);
  }
}

TEST_F(X11EditorControls, HostValuesShowAfterOneIdleWhereTheScalePutsThem) {
  const float values[] = {1.0f, 0.75f, 0.5f, 0.25f, 0.0f};
  int32_t centres[5][5];
  for (int32_t v = 0; v < 5; ++v) {
    for (const ControlBinding& binding : kControlBindings)
      setParameter(binding.parameterIndex, values[v]);
    send(effect, effEditIdle);
    usleep(5000);
    roundTrip();
    const Picture shown = picture(editor);
    for (int32_t slider = 0; slider < 5; ++slider) {
      centres[slider][v] = thumbCentre(shown, sliderRect(slider));
    }
  }
  for (int32_t slider = 0; slider < 5; ++slider) {
    SCOPED_TRACE(slider);
    const int32_t quarter = centres[slider][1] - centres[slider][0];
    EXPECT_GT(quarter, 20) << "value 1 at the top, 0 at the bottom";
    for (int32_t v = 1; v < 5; ++v) {
      EXPECT_NEAR(centres[slider][v] - centres[slider][v - 1], quarter, 1) << "evenly spaced";
      EXPECT_EQ(centres[slider][v], centres[0][v]) << "all sliders alike";
    }
  }
}

TEST_F(X11EditorControls, TrackClicksTheWheelAndKeysStepAsTheTrackbar) {
  const int32_t slider = 2;
  const int32_t index = kControlBindings[slider].parameterIndex;
  const int32_t x = middleX(sliderRect(slider));
  struct Case {
    const char* what;
    int32_t expected;
    std::function<void(int32_t thumb)> act;
  };
  const Case cases[] = {
      {"click above the thumb", 300, [&](int32_t thumb) { click(editor, x, thumb - 20); }},
      {"click below the thumb", 700, [&](int32_t thumb) { click(editor, x, thumb + 20); }},
      {"wheel up", 499, [&](int32_t) { button(4, true), button(4, false); }},
      {"wheel down", 501, [&](int32_t) { button(5, true), button(5, false); }},
      {"Up", 499, [&](int32_t) { key(kUp); }},
      {"Left", 499, [&](int32_t) { key(kLeft); }},
      {"Down", 501, [&](int32_t) { key(kDown); }},
      {"Right", 501, [&](int32_t) { key(kRight); }},
      {"Page Up", 300, [&](int32_t) { key(kPageUp); }},
      {"Page Down", 700, [&](int32_t) { key(kPageDown); }},
      {"Home", 0, [&](int32_t) { key(kHome); }},
      {"End", 1000, [&](int32_t) { key(kEnd); }},
  };
  for (const Case& step : cases) {
    SCOPED_TRACE(step.what);
    setParameter(index, 0.5f);
    settle(effect);
    // A click on the thumb gives the slider the focus and leaves it where it is.
    const int32_t thumb = thumbOf(slider);
    click(editor, x, thumb);
    ASSERT_EQ(parameter(index), 0.5f);
    host.requests.clear();
    step.act(thumb);
    const std::vector<HostRequest> sent = automations();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().index, index);
    EXPECT_EQ(sent.back().opt, valueFromSliderPosition(step.expected));
    EXPECT_EQ(parameter(index), valueFromSliderPosition(step.expected));
  }
}

TEST_F(X11EditorControls, TabWalksTheControlsInTheDialogsOrder) {
  for (int32_t i = 0; i < 6; ++i) setParameter(i, 0.5f);
  setParameter(3, 0.0f);
  settle(effect);
  click(editor, 3, 3);  // no control there: the editor only takes the keyboard
  for (const ControlBinding& binding : kControlBindings) {
    if (binding.kind != ControlKind::slider) continue;
    key(kTab);
    key(kEnd);
    EXPECT_EQ(parameter(binding.parameterIndex), 0.0f) << "slider " << binding.controlId;
  }
  key(kTab);  // "Docs..."
  key(kTab);  // the check box
  key(kSpace);
  EXPECT_EQ(parameter(3), kCheckedValue);
  key(kTab);  // the web button
  key(kTab);  // round to the first slider
  key(kHome);
  EXPECT_EQ(parameter(0), 1.0f);
  key(kTab, true);
  key(kTab, true);  // back to the check box
  key(kSpace);
  EXPECT_EQ(parameter(3), kClearedValue);
  for (int32_t i : {1, 2, 4, 5}) EXPECT_EQ(parameter(i), 0.0f) << "parameter " << i;
}

TEST_F(X11EditorControls, TheCheckBoxSendsItsTwoValues) {
  const PixelRect box = controlRect(IDC_X100_CHECKBOX);
  for (float expected : {kCheckedValue, kClearedValue, kCheckedValue}) {
    host.requests.clear();
    click(editor, box.left + 5, middleY(box));
    const std::vector<HostRequest> sent = automations();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].index, 3);
    EXPECT_EQ(sent[0].opt, expected);
    EXPECT_EQ(parameter(3), expected);
  }
}

// A stand-in xdg-open first in PATH writes each argument it gets on a line of its log.
class X11EditorButtons : public X11EditorControls {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vorra-xdg-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    log = folder + "/log";
    std::ofstream(folder + "/xdg-open")
        << "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done >> '" << log << "'\n";
    chmod((folder + "/xdg-open").c_str(), 0755);
    oldPath = std::getenv("PATH");
    setenv("PATH", (folder + ":" + oldPath).c_str(), 1);
    X11EditorControls::SetUp();
  }
  void TearDown() override {
    X11EditorControls::TearDown();
    setenv("PATH", oldPath.c_str(), 1);
    unlink(log.c_str());
    unlink((folder + "/xdg-open").c_str());
    rmdir(folder.c_str());
  }
  // The log once it holds lines lines, or what it holds after two seconds.
  std::string launched(size_t lines) {
    std::string text;
    for (int i = 0; i < 200; ++i) {
      std::ifstream in(log);
      std::stringstream all;
      all << in.rdbuf();
      text = all.str();
      if (static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) >= lines) break;
      usleep(10000);
      send(effect, effEditIdle);
    }
    return text;
  }

  std::string folder, log, oldPath;
};

TEST_F(X11EditorButtons, ButtonsOpenTheirTargetsOnReleaseInside) {
  const std::string manual = plugin.path().substr(0, plugin.path().rfind('/')) + "/VorraOverDrive.htm";
  ASSERT_EQ(access(manual.c_str(), R_OK), 0) << "the build writes the manual beside the library";
  const PixelRect docs = controlRect(IDC_DOCS_BUTTON), web = controlRect(IDC_WEB_BUTTON);

  // Pressed, then released elsewhere: nothing.
  moveTo(editor, middleX(docs), middleY(docs));
  button(1, true);
  moveTo(editor, middleX(docs), docs.bottom + 30);
  button(1, false);
  usleep(300000);
  EXPECT_EQ(launched(0), "");

  click(editor, middleX(docs), middleY(docs));
  EXPECT_EQ(launched(1), "[" + manual + "]\n");
  click(editor, middleX(web), middleY(web));
  EXPECT_EQ(launched(2), "[" + manual + "]\n[" + std::string(webSiteAddress) + "]\n");
}

}  // namespace
