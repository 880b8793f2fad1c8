// A host for the Linux editor: an Xvfb server of the test's own, a top-level X window as the
// editor's parent, the real plug-in file loaded through its entry, and XTest to drive the
// pointer and the keyboard as a user would. Without Xvfb every test skips and says why.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editor/trackbar.h"
#include "support/instance_fixture.h"
#include "support/plugin_file.h"
#include "vst2/aeffect.h"

// An X server started for one test program, on a display number it picks itself.
class VirtualDisplay {
 public:
  // Empty when Xvfb is missing or did not start: the reason is in failure.
  static VirtualDisplay& get();
  bool running() const { return server > 0; }
  std::string failure;

 private:
  VirtualDisplay();
  ~VirtualDisplay();
  pid_t server = 0;
};

struct Pixel {
  uint8_t red, green, blue;
  bool operator==(const Pixel& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

// A window's pixels as read from the server.
struct Picture {
  int32_t width = 0, height = 0;
  std::vector<Pixel> pixels;
  Pixel at(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Set by a test that has two editors open at once (see x11_host.cpp).
extern bool cairoKeepsDataOfTwoConnections;

class X11EditorHost : public InstanceFixture {
 protected:
  void SetUp() override;
  void TearDown() override;
  PluginEntry pluginEntry() override { return plugin.entry(); }

  AEffect* createInstance() override;
  void closeInstance(AEffect* instance) override;
  xcb_window_t makeParent(int16_t x, int16_t y, uint16_t width = 430, uint16_t height = 330);
  // Opens instance's editor in parent and answers the editor's window (0 when none appeared).
  xcb_window_t openEditor(AEffect* instance, xcb_window_t parent);
  std::vector<xcb_window_t> childrenOf(xcb_window_t window);
  // A round trip to the server, then idle calls so that the editor reads what arrived.
  void settle(AEffect* instance);
  void roundTrip();

  // XTest input at pixel (x, y) of window.
  void moveTo(xcb_window_t window, int32_t x, int32_t y);
  void button(uint8_t number, bool down);
  void click(xcb_window_t window, int32_t x, int32_t y);
  void key(uint32_t keysym, bool shift = false);

  Picture picture(xcb_window_t window);
  // The vertical centre of the thumb drawn within area, or -1.
  static int32_t thumbCentre(const Picture& picture, const PixelRect& area);
  BuiltPlugin plugin;
  xcb_connection_t* connection = nullptr;
  xcb_screen_t* screen = nullptr;
  AEffect* current = nullptr;  // the instance settle() idles when none is named
  std::vector<xcb_window_t> parents;
};
