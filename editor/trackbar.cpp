#include "editor/trackbar.h"

#include "editor/dialog_layout.h"

PixelRect pixelRectOf(int32_t x, int32_t y, int32_t width, int32_t height) {
  return {horizontalPixels(x), verticalPixels(y), horizontalPixels(x + width),
          verticalPixels(y + height)};
}

int32_t steppedPosition(int32_t position, TrackStep step) {
  int32_t next = position;
  switch (step) {
    case TrackStep::lineUp: next -= kTrackbarLine; break;
    case TrackStep::lineDown: next += kTrackbarLine; break;
    case TrackStep::pageUp: next -= kTrackbarPage; break;
    case TrackStep::pageDown: next += kTrackbarPage; break;
    case TrackStep::top: next = kSliderMinimum; break;
    case TrackStep::bottom: next = kSliderMaximum; break;
  }
  return next < kSliderMinimum ? kSliderMinimum : next > kSliderMaximum ? kSliderMaximum : next;
}

// The channel sits right of the middle to leave room for the ticks on the left, and the
// thumb's travel keeps it clear of the control's ends, as the common control draws it.
TrackbarGeometry::TrackbarGeometry(const PixelRect& rect)
    : control(rect),
      channelX((rect.left + rect.right) / 2 + 4),
      travelTop(rect.top + 13),
      travelBottom(rect.bottom - 13) {}

int32_t TrackbarGeometry::thumbCentre(int32_t position) const {
  const int32_t travel = travelBottom - travelTop;
  return travelTop + (position * travel + kSliderMaximum / 2) / kSliderMaximum;
}

int32_t TrackbarGeometry::positionAt(int32_t y) const {
  const int32_t travel = travelBottom - travelTop;
  const int32_t offset = y - travelTop;
  const int32_t position = (offset * kSliderMaximum + travel / 2) / travel;
  if (offset <= 0) return kSliderMinimum;
  return position > kSliderMaximum ? kSliderMaximum : position;
}

PixelRect TrackbarGeometry::thumb(int32_t position) const {
  const int32_t centre = thumbCentre(position);
  return {channelX - kThumbHalfWidth, centre - kThumbHalfLength, channelX + kThumbHalfWidth,
          centre + kThumbHalfLength + 1};
}
