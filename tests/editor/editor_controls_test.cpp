// What the user sees and does: the refresh protocol, the sliders, the check box, and the
// automation the host receives for every change made in the editor.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "editor/slider_scale.h"
#include "editor_host.h"

namespace {

constexpr int kSliders[5] = {666, 667, 668, 669, 670};

class EditorControls : public EditorHost {
 protected:
  void SetUp() override {
    EditorHost::SetUp();
    if (HasFatalFailure()) return;
    dialog = openEditor(record, parent);
    ASSERT_NE(dialog, nullptr);
  }
  HWND slider(int id) const { return GetDlgItem(dialog, id); }
  // Moves a slider as its owner sees it: a new position, then the notification.
  void moveSlider(int id, int position, WORD code = SB_THUMBPOSITION) {
    SendMessageA(slider(id), TBM_SETPOS, TRUE, position);
    SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(code, position),
                 reinterpret_cast<LPARAM>(slider(id)));
  }
  HWND dialog = nullptr;
};

// Counts the position changes a slider receives, to count refreshes.
int setPositionCount = 0;
WNDPROC originalSliderProc = nullptr;
LRESULT CALLBACK countingSliderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == TBM_SETPOS) ++setPositionCount;
  return CallWindowProcA(originalSliderProc, window, message, wParam, lParam);
}

TEST_F(EditorControls, ControlsStartAtTheTopUntilTheFirstRefresh) {
  for (int id : kSliders) EXPECT_EQ(sliderPosition(dialog, id), 0) << id;
  EXPECT_FALSE(boxChecked(dialog));
  send(record, effEditIdle);
  // "Reset": PreBand 0, Color 0.5, PreAmp 0, PostFilter 0, PostGain 1, x100 0.33.
  const int reset[5] = {1000, 500, 1000, 1000, 0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(sliderPosition(dialog, kSliders[i]), reset[i]);
  EXPECT_FALSE(boxChecked(dialog));

  send(record, effSetProgram, 1);  // "Boost": 0.4, 0.5, 0.2, 0.25, 1.0, x100 0.5
  send(record, effEditIdle);
  const int boost[5] = {600, 500, 800, 750, 0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(sliderPosition(dialog, kSliders[i]), boost[i]);
  EXPECT_TRUE(boxChecked(dialog)) << "0.5 shows checked";
}

TEST_F(EditorControls, ManyChangesBetweenRefreshesGiveOneRefresh) {
  originalSliderProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(slider(666), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingSliderProc)));
  send(record, effEditIdle);  // the refresh that open asked for
  setPositionCount = 0;
  send(record, effEditIdle);
  EXPECT_EQ(setPositionCount, 0) << "no change, no refresh";

  record->setParameter(record, 0, 0.1f);
  record->setParameter(record, 1, 0.2f);
  record->setParameter(record, 0, 0.3f);
  send(record, effEditIdle);
  send(record, effEditIdle);
  EXPECT_EQ(setPositionCount, 1);
  EXPECT_EQ(sliderPosition(dialog, 666), 700);
  EXPECT_EQ(sliderPosition(dialog, 667), 800);

  // The same through the dialog's own timer, with no idle call from the host.
  setPositionCount = 0;
  record->setParameter(record, 0, 0.75f);
  record->setParameter(record, 4, 0.6f);
  record->setParameter(record, 5, 0.0f);
  pump(750);  // two or three ticks
  EXPECT_EQ(setPositionCount, 1);
  EXPECT_EQ(sliderPosition(dialog, 666), 250);
  EXPECT_EQ(sliderPosition(dialog, 669), 400);
  EXPECT_EQ(sliderPosition(dialog, 670), 1000);
  SetWindowLongPtrA(slider(666), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalSliderProc));
}

TEST_F(EditorControls, AnyTimerIdentifierRunsTheRefreshStep) {
  send(record, effEditIdle);
  record->setParameter(record, 2, 0.75f);
  SendMessageA(dialog, WM_TIMER, 77, 0);
  EXPECT_EQ(sliderPosition(dialog, 668), 250);
}

TEST_F(EditorControls, ValuesShowClampedToTheSliderEnds) {
  const std::pair<float, int> cases[] = {{1.0f, 0},   {0.75f, 250},  {0.5f, 500},
                                         {0.3f, 700}, {0.0f, 1000},  {0.66f, 340},
                                         {1.5f, 0},   {-0.2f, 1000}, {std::nanf(""), 1000}};
  for (auto [value, position] : cases) {
    record->setParameter(record, 5, value);
    send(record, effEditIdle);
    EXPECT_EQ(sliderPosition(dialog, 670), position) << value;
  }
  record->setParameter(record, 5, 1.5f);
  send(record, effEditIdle);
  EXPECT_EQ(record->getParameter(record, 5), 1.5f) << "showing does not clamp the stored value";
}

TEST_F(EditorControls, EverySliderPositionIsSentAndShownAgain) {
  std::map<int, int> moved;
  for (int position = 0; position <= 1000; ++position) {
    host.requests.clear();
    moveSlider(668, position);
    const std::vector<HostRequest> sent = automations();
    ASSERT_EQ(sent.size(), 1u) << position;
    EXPECT_EQ(sent[0].index, 2);
    EXPECT_EQ(sent[0].opt, valueFromSliderPosition(position));
    EXPECT_EQ(sent[0].effect, record);
    EXPECT_EQ(record->getParameter(record, 2), sent[0].opt);
    send(record, effEditIdle);
    if (sliderPosition(dialog, 668) != position) moved[position] = sliderPosition(dialog, 668);
  }
  const std::map<int, int> expected = {{412, 413}, {435, 436}, {449, 450}, {472, 473}, {486, 487},
                                       {495, 496}, {706, 707}, {736, 737}, {743, 744}, {853, 854},
                                       {868, 869}, {934, 935}, {967, 968}};
  EXPECT_EQ(moved, expected);
}

TEST_F(EditorControls, SlidersSendExactValuesToTheirParameters) {
  const std::pair<int, int> mapping[] = {{666, 0}, {667, 1}, {668, 2}, {669, 4}, {670, 5}};
  const std::pair<int, float> positions[] = {
      {0, 1.0f}, {500, 0.5f}, {1000, 0.0f}, {250, 0.75000006f}, {700, 0.3f}};
  for (auto [id, index] : mapping) {
    for (auto [position, value] : positions) {
      host.requests.clear();
      moveSlider(id, position, SB_THUMBTRACK);
      ASSERT_EQ(automations().size(), 1u);
      EXPECT_EQ(automations()[0].index, index) << id;
      EXPECT_EQ(automations()[0].opt, value) << id << " at " << position;
    }
  }
}

TEST_F(EditorControls, KeyboardStepsOnASliderReachTheHost) {
  send(record, effEditIdle);  // PreAmp 0 stands at 1000
  SendMessageA(slider(668), WM_KEYDOWN, VK_UP, 0);
  ASSERT_FALSE(automations().empty()) << "the slider itself notifies the dialog";
  EXPECT_EQ(automations().back().index, 2);
  EXPECT_EQ(automations().back().opt, 0.001f);
  EXPECT_EQ(record->getParameter(record, 2), 0.001f);
}

TEST_F(EditorControls, TheCheckBoxSendsItsTwoValues) {
  send(record, effEditIdle);
  HWND box = GetDlgItem(dialog, 6660);
  SendMessageA(box, BM_CLICK, 0, 0);
  ASSERT_EQ(automations().size(), 1u);
  EXPECT_EQ(automations()[0].index, 3);
  EXPECT_EQ(automations()[0].opt, 0.66f);
  EXPECT_EQ(record->getParameter(record, 3), 0.66f);
  send(record, effEditIdle);
  EXPECT_TRUE(boxChecked(dialog));

  SendMessageA(box, BM_CLICK, 0, 0);
  ASSERT_EQ(automations().size(), 2u);
  EXPECT_EQ(automations()[1].index, 3);
  EXPECT_EQ(automations()[1].opt, 0.3f);
  send(record, effEditIdle);
  EXPECT_FALSE(boxChecked(dialog));
}

TEST_F(EditorControls, TheCheckBoxFollowsTheHalfRule) {
  const std::pair<float, bool> cases[] = {
      {0.5f, true}, {0.49999f, false}, {1.0f, true}, {0.0f, false}, {std::nanf(""), false}};
  for (auto [value, checked] : cases) {
    record->setParameter(record, 3, value);
    send(record, effEditIdle);
    EXPECT_EQ(boxChecked(dialog), checked) << value;
  }
  EXPECT_TRUE(automations().empty()) << "the host's own changes are not sent back";
}

}  // namespace
