// The dialog "METALUI" as data, for the editor that draws its own window: the nineteen
// controls in template order (which is also the tab order), in dialog units, and how dialog
// units become pixels with the dialog's font as Wine lays it out for the Windows editor.
#pragma once

#include <cstdint>

enum class ControlClass { icon, slider, label, checkBox, pushButton, groupBox };

struct DialogControl {
  int32_t id;  // -1 for controls without one
  ControlClass kind;
  const char* caption;  // nullptr for icons and sliders
  int32_t iconId;       // icons only
  int32_t x, y, width, height;
  bool tabStop;
};

constexpr int32_t kDialogWidthUnits = 243;
constexpr int32_t kDialogHeightUnits = 201;
constexpr int32_t kDialogControlCount = 19;
extern const DialogControl kDialogControls[kDialogControlCount];

// "MS Sans Serif" 8 points: 7 pixels per 4 horizontal units, 13 per 8 vertical ones, rounded
// as MapDialogRect rounds.
constexpr int32_t kBaseUnitX = 7;
constexpr int32_t kBaseUnitY = 13;
int32_t horizontalPixels(int32_t units);
int32_t verticalPixels(int32_t units);

// The dialog's size in pixels at a display scale.
int32_t dialogPixelWidth(double scale);
int32_t dialogPixelHeight(double scale);
