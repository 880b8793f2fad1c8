// Draws the dialog with cairo in the look of the Windows one: sliders with ticks on the left,
// labels, icons, the check box, push buttons, the group box and a dotted focus frame. The
// caller's cairo context is already scaled; everything here is in unscaled pixels.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "editor/dialog_state.h"
#include "editor/icon_image.h"

struct Colour {
  uint8_t red, green, blue;
};
constexpr Colour kFaceColour = {240, 240, 240};
// The thumbs' face: a colour used nowhere else, so a picture shows where each thumb stands.
constexpr Colour kThumbColour = {120, 160, 220};

// The three icons, decoded once per window.
struct DialogIcons {
  cairo_surface_t* surfaces[3] = {};
  DialogIcons();
  ~DialogIcons();
  DialogIcons(const DialogIcons&) = delete;
  DialogIcons& operator=(const DialogIcons&) = delete;
  cairo_surface_t* forId(int32_t iconId) const;

 private:
  IconImage images[3];
};

void paintDialog(cairo_t* cr, const DialogState& state, const DialogIcons& icons);
