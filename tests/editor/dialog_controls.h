// The nineteen controls of the dialog "METALUI" in template (and tab) order: what the template
// in the plug-in file declares and what the open dialog shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/web_site.h"

enum class ControlKind { staticControl, button, trackbar };

struct DialogControl {
  int32_t id;
  ControlKind kind;
  std::string caption;
  int16_t x, y, cx, cy;
  uint32_t style;

  // The class as the template stores it: an ordinal, or a name in upper case.
  const char* templateClass() const {
    return kind == ControlKind::staticControl ? "#130"
           : kind == ControlKind::button      ? "#128"
                                              : "MSCTLS_TRACKBAR32";
  }
  // The class the created window reports.
  const char* windowClass() const {
    return kind == ControlKind::staticControl ? "Static"
           : kind == ControlKind::button      ? "Button"
                                              : "msctls_trackbar32";
  }
};

// The credit line's caption is checked apart: only its name and version are fixed.
constexpr size_t kCreditLine = 14;

inline const std::vector<DialogControl>& dialogControls() {
  using K = ControlKind;
  static const std::vector<DialogControl> controls = {
      {-1, K::staticControl, "#104", 131, 101, 20, 20, 0x50000003},
      {666, K::trackbar, "Slider1", 7, 7, 27, 92, 0x50010007},
      {667, K::trackbar, "Slider1", 43, 7, 27, 92, 0x50010007},
      {668, K::trackbar, "Slider1", 93, 7, 27, 92, 0x50010007},
      {669, K::trackbar, "Slider1", 155, 7, 27, 92, 0x50010007},
      {-1, K::staticControl, "PreBand", 7, 104, 28, 8, 0x50020000},
      {-1, K::staticControl, "Color", 46, 104, 18, 8, 0x50020000},
      {-1, K::staticControl, "PreAmp", 89, 104, 26, 8, 0x50020000},
      {-1, K::staticControl, "PostFilter", 152, 104, 31, 8, 0x50020000},
      {670, K::trackbar, "Slider1", 192, 7, 27, 92, 0x50010007},
      {-1, K::staticControl, "PostGain", 189, 104, 30, 8, 0x50020000},
      {-1, K::staticControl, "#102", 7, 124, 20, 20, 0x50000003},
      {-1, K::staticControl, "#103", 28, 124, 20, 20, 0x50000003},
      {-1, K::staticControl,
       std::string("Check out Tonquill 2, ") + webSiteAddress +
           ". Big...Fat...Sound! (Just click the TONQUILL button if your internet connection is "
           "active...)",
       13, 153, 216, 25, 0x50020000},
      {-1, K::staticControl, "", 51, 126, 124, 8, 0x50020000},
      {6666, K::button, "Docs...", 191, 125, 32, 14, 0x50010000},
      {6660, K::button, "", 120, 104, 11, 8, 0x50010003},
      {-1, K::button, "FREE PLUGIN - BROUGHT TO YOU BY TONQUILL!", 7, 144, 229, 50, 0x50000007},
      {7777, K::button, "TONQUILL", 183, 179, 50, 12, 0x50010000},
  };
  return controls;
}
