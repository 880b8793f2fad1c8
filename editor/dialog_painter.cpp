#include "editor/dialog_painter.h"

#include <cstring>
#include <string>

#include "editor/dialog_layout.h"
#include "editor/slider_scale.h"
#include "editor/trackbar.h"
#include "resources/metalui_ids.h"

namespace {

constexpr int32_t kIconIds[3] = {IDI_KNOB, IDI_FLAME, IDI_BOLT};
constexpr Colour kText = {0, 0, 0};
constexpr Colour kShadow = {160, 160, 160};
constexpr Colour kDarkShadow = {105, 105, 105};
constexpr Colour kHighlight = {255, 255, 255};
constexpr Colour kThumbEdge = {40, 70, 120};
// "MS Sans Serif" 8 points at 96 dots per inch, as DejaVu draws it closest.
constexpr double kFontSize = 11.0;
constexpr double kLineHeight = 13.0;

void setColour(cairo_t* cr, Colour c) {
  cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
}

void fillRect(cairo_t* cr, double x, double y, double w, double h, Colour c) {
  setColour(cr, c);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
}

// A one-pixel line between pixel centres.
void line(cairo_t* cr, double x0, double y0, double x1, double y1, Colour c) {
  setColour(cr, c);
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, x0 + 0.5, y0 + 0.5);
  cairo_line_to(cr, x1 + 0.5, y1 + 0.5);
  cairo_stroke(cr);
}

void frame(cairo_t* cr, const PixelRect& r, Colour topLeft, Colour bottomRight) {
  line(cr, r.left, r.top, r.right - 1, r.top, topLeft);
  line(cr, r.left, r.top, r.left, r.bottom - 1, topLeft);
  line(cr, r.left, r.bottom - 1, r.right - 1, r.bottom - 1, bottomRight);
  line(cr, r.right - 1, r.top, r.right - 1, r.bottom - 1, bottomRight);
}

void focusFrame(cairo_t* cr, const PixelRect& r) {
  const double dash = 1.0;
  setColour(cr, kText);
  cairo_set_line_width(cr, 1.0);
  cairo_set_dash(cr, &dash, 1, 0.0);
  cairo_rectangle(cr, r.left + 0.5, r.top + 0.5, r.right - r.left - 1, r.bottom - r.top - 1);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0.0);
}

double textWidth(cairo_t* cr, const std::string& text) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  return extents.x_advance;
}

void showText(cairo_t* cr, double x, double top, const std::string& text) {
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  setColour(cr, kText);
  cairo_move_to(cr, x, top + font.ascent);
  cairo_show_text(cr, text.c_str());
}

// Left-aligned text broken at spaces to fit the width, as a static control wraps it.
void wrappedText(cairo_t* cr, const PixelRect& r, const char* text) {
  std::string lineText;
  double top = r.top;
  const char* word = text;
  while (*word) {
    const char* end = std::strchr(word, ' ');
    const std::string next(word, end ? end : word + std::strlen(word));
    const std::string candidate = lineText.empty() ? next : lineText + " " + next;
    if (!lineText.empty() && textWidth(cr, candidate) > r.right - r.left) {
      showText(cr, r.left, top, lineText);
      top += kLineHeight;
      lineText = next;
    } else {
      lineText = candidate;
    }
    word = end ? end + 1 : word + next.size();
  }
  if (!lineText.empty()) showText(cr, r.left, top, lineText);
}

void paintSlider(cairo_t* cr, const PixelRect& r, int32_t position, bool focused) {
  const TrackbarGeometry g(r);
  for (int32_t tick = kSliderMinimum; tick <= kSliderMaximum; tick += kSliderTicFrequency) {
    const int32_t y = g.thumbCentre(tick);
    line(cr, g.channelX - TrackbarGeometry::kThumbHalfWidth - 5, y,
         g.channelX - TrackbarGeometry::kThumbHalfWidth - 3, y, kText);
  }
  const PixelRect channel = {g.channelX - 2, g.travelTop - 5, g.channelX + 2, g.travelBottom + 6};
  fillRect(cr, channel.left, channel.top, 4, channel.bottom - channel.top, kHighlight);
  frame(cr, channel, kShadow, kHighlight);
  // The thumb points left, towards the ticks.
  const PixelRect t = g.thumb(position);
  const double middle = (t.top + t.bottom) / 2.0;
  cairo_move_to(cr, t.left + 0.5, middle);
  cairo_line_to(cr, t.left + 5.5, t.top + 0.5);
  cairo_line_to(cr, t.right - 0.5, t.top + 0.5);
  cairo_line_to(cr, t.right - 0.5, t.bottom - 0.5);
  cairo_line_to(cr, t.left + 5.5, t.bottom - 0.5);
  cairo_close_path(cr);
  setColour(cr, kThumbColour);
  cairo_fill_preserve(cr);
  setColour(cr, kThumbEdge);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  if (focused) focusFrame(cr, r);
}

void paintButton(cairo_t* cr, const PixelRect& r, const char* caption, bool pressed, bool focused) {
  fillRect(cr, r.left, r.top, r.right - r.left, r.bottom - r.top, kFaceColour);
  if (pressed) {
    frame(cr, r, kDarkShadow, kHighlight);
  } else {
    frame(cr, r, kHighlight, kDarkShadow);
    frame(cr, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kFaceColour, kShadow);
  }
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  const double shift = pressed ? 1.0 : 0.0;
  const double x = (r.left + r.right - textWidth(cr, caption)) / 2.0 + shift;
  const double top = (r.top + r.bottom - font.ascent - font.descent) / 2.0 + shift;
  showText(cr, x, top, caption);
  if (focused) focusFrame(cr, {r.left + 3, r.top + 3, r.right - 3, r.bottom - 3});
}

// The box stands at the left of its control, vertically centred.
void paintCheckBox(cairo_t* cr, const PixelRect& r, bool checked, bool pressed, bool focused) {
  constexpr int32_t kBox = 13;
  const int32_t top = (r.top + r.bottom - kBox) / 2;
  const PixelRect box = {r.left, top, r.left + kBox, top + kBox};
  fillRect(cr, box.left, box.top, kBox, kBox, pressed ? kFaceColour : kHighlight);
  frame(cr, box, kShadow, kHighlight);
  frame(cr, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, kDarkShadow, kFaceColour);
  if (checked) {
    setColour(cr, kText);
    cairo_set_line_width(cr, 2.0);
    cairo_move_to(cr, box.left + 3, box.top + 6.5);
    cairo_line_to(cr, box.left + 5.5, box.top + 9);
    cairo_line_to(cr, box.left + 10, box.top + 3.5);
    cairo_stroke(cr);
  }
  if (focused) focusFrame(cr, {box.left - 2, box.top - 2, box.right + 2, box.bottom + 2});
}

void paintGroupBox(cairo_t* cr, const PixelRect& r, const char* caption) {
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  const int32_t lineY = r.top + static_cast<int32_t>(font.ascent + font.descent) / 2;
  frame(cr, {r.left, lineY, r.right, r.bottom}, kShadow, kHighlight);
  frame(cr, {r.left + 1, lineY + 1, r.right - 1, r.bottom - 1}, kHighlight, kShadow);
  const double width = textWidth(cr, caption);
  fillRect(cr, r.left + 6, r.top, width + 4, font.ascent + font.descent, kFaceColour);
  showText(cr, r.left + 8, r.top, caption);
}

}  // namespace

DialogIcons::DialogIcons() {
  for (int i = 0; i < 3; ++i) {
    const IconFile* file = iconFile(kIconIds[i]);
    if (!file || !decodeIcon(file->bytes, file->size, images[i])) continue;
    surfaces[i] = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(images[i].pixels.data()), CAIRO_FORMAT_ARGB32,
        images[i].width, images[i].height, images[i].width * 4);
  }
}

DialogIcons::~DialogIcons() {
  for (cairo_surface_t* surface : surfaces) {
    if (surface) cairo_surface_destroy(surface);
  }
}

cairo_surface_t* DialogIcons::forId(int32_t iconId) const {
  for (int i = 0; i < 3; ++i) {
    if (kIconIds[i] == iconId) return surfaces[i];
  }
  return nullptr;
}

void paintDialog(cairo_t* cr, const DialogState& state, const DialogIcons& icons) {
  fillRect(cr, 0, 0, horizontalPixels(kDialogWidthUnits), verticalPixels(kDialogHeightUnits),
           kFaceColour);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, kFontSize);
  for (int32_t control = 0; control < kDialogControlCount; ++control) {
    const DialogControl& c = kDialogControls[control];
    const PixelRect r = DialogState::controlRect(control);
    const bool focused = state.focusedControl() == control;
    const bool pressed = state.pressedControl() == control;
    switch (c.kind) {
      case ControlClass::icon:
        // An icon static shows the icon at its own size from the control's top left.
        if (cairo_surface_t* image = icons.forId(c.iconId)) {
          cairo_set_source_surface(cr, image, r.left, r.top);
          cairo_paint(cr);
        }
        break;
      case ControlClass::slider:
        paintSlider(cr, r, state.sliderPosition(DialogState::sliderOfControl(control)), focused);
        break;
      case ControlClass::label: wrappedText(cr, r, c.caption); break;
      case ControlClass::checkBox:
        paintCheckBox(cr, r, state.checkBoxChecked(), pressed, focused);
        break;
      case ControlClass::pushButton: paintButton(cr, r, c.caption, pressed, focused); break;
      case ControlClass::groupBox: paintGroupBox(cr, r, c.caption); break;
    }
  }
}
