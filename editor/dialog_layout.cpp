#include "editor/dialog_layout.h"

#include <cmath>

#include "resources/metalui_ids.h"

namespace {

constexpr char kPromotion[] = "Check out Tonquill 2, " WEB_SITE_ADDRESS
                              ". Big...Fat...Sound! (Just click the TONQUILL button if your "
                              "internet connection is active...)";

constexpr DialogControl icon(int32_t iconId, int32_t x, int32_t y) {
  return {-1, ControlClass::icon, nullptr, iconId, x, y, 20, 20, false};
}
constexpr DialogControl slider(int32_t id, int32_t x) {
  return {id, ControlClass::slider, nullptr, 0, x, 7, 27, 92, true};
}
constexpr DialogControl label(const char* caption, int32_t x, int32_t y, int32_t w, int32_t h) {
  return {-1, ControlClass::label, caption, 0, x, y, w, h, false};
}

}  // namespace

const DialogControl kDialogControls[kDialogControlCount] = {
    icon(IDI_BOLT, 131, 101),
    slider(IDC_PREBAND_SLIDER, 7),
    slider(IDC_COLOR_SLIDER, 43),
    slider(IDC_PREAMP_SLIDER, 93),
    slider(IDC_POSTFILTER_SLIDER, 155),
    label("PreBand", 7, 104, 28, 8),
    label("Color", 46, 104, 18, 8),
    label("PreAmp", 89, 104, 26, 8),
    label("PostFilter", 152, 104, 31, 8),
    slider(IDC_POSTGAIN_SLIDER, 192),
    label("PostGain", 189, 104, 30, 8),
    icon(IDI_KNOB, 7, 124),
    icon(IDI_FLAME, 28, 124),
    label(kPromotion, 13, 153, 216, 25),
    label("Vorra OverDrive v1.2", 51, 126, 124, 8),
    {IDC_DOCS_BUTTON, ControlClass::pushButton, "Docs...", 0, 191, 125, 32, 14, true},
    {IDC_X100_CHECKBOX, ControlClass::checkBox, "", 0, 120, 104, 11, 8, true},
    {-1, ControlClass::groupBox, "FREE PLUGIN - BROUGHT TO YOU BY TONQUILL!", 0, 7, 144, 229, 50,
     false},
    {IDC_WEB_BUTTON, ControlClass::pushButton, "TONQUILL", 0, 183, 179, 50, 12, true},
};

// MulDiv's rounding: to the nearest, halves away from zero (units are never negative here).
int32_t horizontalPixels(int32_t units) { return (units * kBaseUnitX * 2 + 4) / 8; }
int32_t verticalPixels(int32_t units) { return (units * kBaseUnitY * 2 + 8) / 16; }

int32_t dialogPixelWidth(double scale) {
  return static_cast<int32_t>(std::lround(horizontalPixels(kDialogWidthUnits) * scale));
}

int32_t dialogPixelHeight(double scale) {
  return static_cast<int32_t>(std::lround(verticalPixels(kDialogHeightUnits) * scale));
}
