// A vertical trackbar as the Windows common control behaves: positions 0 (top) to 1000, a line
// of 1 for the arrow keys and the wheel, a page of 200 (a fifth of the range) for Page Up/Down
// and a click on the track, Home and End for the ends. Geometry in unscaled pixels.
#pragma once

#include <cstdint>

#include "editor/slider_scale.h"

struct PixelRect {
  int32_t left, top, right, bottom;
  bool contains(int32_t x, int32_t y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
};

// The pixel rectangle of a rectangle in dialog units, each edge mapped on its own.
PixelRect pixelRectOf(int32_t x, int32_t y, int32_t width, int32_t height);

constexpr int32_t kTrackbarLine = 1;
constexpr int32_t kTrackbarPage = (kSliderMaximum - kSliderMinimum) / 5;

enum class TrackStep { lineUp, lineDown, pageUp, pageDown, top, bottom };

// The position after one step, kept within the range.
int32_t steppedPosition(int32_t position, TrackStep step);

// Where the parts of one slider lie. The thumb's centre travels from travelTop (position 0) to
// travelBottom (position 1000); the ticks stand left of the channel.
struct TrackbarGeometry {
  explicit TrackbarGeometry(const PixelRect& control);
  int32_t thumbCentre(int32_t position) const;
  // The position whose thumb centre is nearest to y, within the range.
  int32_t positionAt(int32_t y) const;
  PixelRect thumb(int32_t position) const;

  PixelRect control;
  int32_t channelX;  // the channel's centre line
  int32_t travelTop, travelBottom;
  static constexpr int32_t kThumbHalfLength = 5;  // along the track
  static constexpr int32_t kThumbHalfWidth = 10;
};
