// The LV2 UI's parameter port without a display: the host's port events are what the window
// reads, and a user's gesture reaches the host as touch, write and release on the right port.
#include "lv2/ui_port.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lv2/port_layout.h"

namespace {

// Every call the UI makes to its host, in order.
struct HostLog {
  std::vector<std::string> calls;
  LV2UI_Touch touch{this, [](LV2UI_Feature_Handle self, uint32_t port, bool grabbed) {
                      static_cast<HostLog*>(self)->calls.push_back(
                          (grabbed ? "touch " : "release ") + std::to_string(port));
                    }};
};

void write(LV2UI_Controller self, uint32_t port, uint32_t size, uint32_t format,
           const void* buffer) {
  static_cast<HostLog*>(self)->calls.push_back(
      "write " + std::to_string(port) + " size " + std::to_string(size) + " format " +
      std::to_string(format) + " value " + std::to_string(*static_cast<const float*>(buffer)));
}

TEST(UiPort, ControlPortEventsAreTheValuesTheWindowReadsAndItsNews) {
  HostLog host;
  UiPort port(write, &host, &host.touch);
  EXPECT_EQ(port.parameterValue(kColor), kParameterDescriptors[kColor].defaultValue);
  EXPECT_EQ(port.parameterValue(kX100Switch), 0.0f);  // as the port's default
  EXPECT_FALSE(port.takeChanges());

  const float value = 0.625f;
  port.portEvent(portOfParameter(kPostGain), sizeof value, 0, &value);
  EXPECT_EQ(port.parameterValue(kPostGain), value);
  EXPECT_TRUE(port.takeChanges());
  EXPECT_FALSE(port.takeChanges());

  // The meter, an audio port, another protocol and a short buffer are not for the window.
  const double wide = 0.5;
  port.portEvent(kMeterPort, sizeof value, 0, &value);
  port.portEvent(kLeftOut, sizeof value, 0, &value);
  port.portEvent(portOfParameter(kPreAmp), sizeof value, 1, &value);
  port.portEvent(portOfParameter(kPreAmp), sizeof wide, 0, &wide);
  EXPECT_FALSE(port.takeChanges());
  EXPECT_EQ(port.parameterValue(kPreAmp), kParameterDescriptors[kPreAmp].defaultValue);
  EXPECT_TRUE(host.calls.empty());
}

TEST(UiPort, AGestureIsTouchedWrittenAndReleasedOnTheParametersPort) {
  HostLog host;
  UiPort port(write, &host, &host.touch);
  port.beginGesture(kPreAmp);
  port.setFromGesture(kPreAmp, 0.25f);
  port.setFromGesture(kPreAmp, 0.5f);
  port.endGesture(kPreAmp);
  const std::string preAmp = std::to_string(portOfParameter(kPreAmp));
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{
                "touch " + preAmp, "write " + preAmp + " size 4 format 0 value 0.250000",
                "write " + preAmp + " size 4 format 0 value 0.500000", "release " + preAmp}));
  EXPECT_EQ(port.parameterValue(kPreAmp), 0.5f);
}

// The check box sends 0.66 and 0.3, which an LV2 host reads as on both (above 0).
TEST(UiPort, TheSwitchIsWrittenAsOneOrZeroAndAHostWithoutTouchGetsTheWritesAlone) {
  HostLog host;
  UiPort port(write, &host, nullptr);
  const std::string x100 = "write " + std::to_string(portOfParameter(kX100Switch));
  for (float value : {0.66f, 0.3f, 0.5f}) {
    port.beginGesture(kX100Switch);
    port.setFromGesture(kX100Switch, value);
    port.endGesture(kX100Switch);
  }
  EXPECT_EQ(host.calls, (std::vector<std::string>{x100 + " size 4 format 0 value 1.000000",
                                                  x100 + " size 4 format 0 value 0.000000",
                                                  x100 + " size 4 format 0 value 0.000000"}));
  EXPECT_EQ(port.parameterValue(kX100Switch), 0.0f);
}

}  // namespace
