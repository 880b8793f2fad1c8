#include "editor/x11_window.h"

#include <cairo-xcb.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "editor/dialog_layout.h"
#include "editor/display_scale.h"

namespace {

// The keys the dialog answers, by keysym; the keypad's keys act as the main block's.
struct KeyBinding {
  uint32_t keysym;
  DialogKey key;
};
constexpr KeyBinding kKeyBindings[] = {
    {0xff09, DialogKey::tab},      // Tab
    {0xfe20, DialogKey::backTab},  // ISO_Left_Tab, what Shift+Tab gives on most keymaps
    {0x0020, DialogKey::space},    // space
    {0xff50, DialogKey::home},     {0xff95, DialogKey::home},      // Home, KP_Home
    {0xff57, DialogKey::end},      {0xff9c, DialogKey::end},       // End, KP_End
    {0xff51, DialogKey::left},     {0xff96, DialogKey::left},      // Left, KP_Left
    {0xff53, DialogKey::right},    {0xff98, DialogKey::right},     // Right, KP_Right
    {0xff52, DialogKey::up},       {0xff97, DialogKey::up},        // Up, KP_Up
    {0xff54, DialogKey::down},     {0xff99, DialogKey::down},      // Down, KP_Down
    {0xff55, DialogKey::pageUp},   {0xff9a, DialogKey::pageUp},    // Prior, KP_Prior
    {0xff56, DialogKey::pageDown}, {0xff9b, DialogKey::pageDown},  // Next, KP_Next
};

constexpr uint8_t kLeftButton = 1, kWheelUp = 4, kWheelDown = 5;

// Shift turns Tab into a step backwards, as the dialog manager does.
bool dialogKey(uint32_t keysym, bool shift, DialogKey& key) {
  for (const KeyBinding& binding : kKeyBindings) {
    if (binding.keysym != keysym) continue;
    key = shift && binding.key == DialogKey::tab ? DialogKey::backTab : binding.key;
    return true;
  }
  return false;
}

xcb_visualtype_t* findVisual(const xcb_screen_t* screen, xcb_visualid_t id, uint8_t& depth) {
  for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d)) {
    for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
      if (v.data->visual_id == id) {
        depth = d.data->depth;
        return v.data;
      }
    }
  }
  return nullptr;
}

}  // namespace

X11Window::X11Window(ParameterPort& port, ButtonActions& actions) : dialog(port, actions) {}

X11Window::~X11Window() {
  if (window != 0) {
    // The parent may have gone since the last event was read: any error is only an event.
    xcb_destroy_window(connection, window);
  }
  release();
  // The window is gone once the host gets control back, before it destroys its own window.
  if (connection) roundTrip();
  // cairo keeps a record per connection address; a later connection at the same address must
  // not find this one's.
  if (device) {
    cairo_device_finish(device);
    cairo_device_destroy(device);
  }
  if (connection) xcb_disconnect(connection);
}

int32_t X11Window::width() const { return dialogPixelWidth(displayScale); }

int32_t X11Window::height() const { return dialogPixelHeight(displayScale); }

int32_t X11Window::unscaled(int32_t coordinate) const {
  return static_cast<int32_t>(std::floor(coordinate / displayScale));
}

bool X11Window::create(uint32_t parent, double scale) {
  connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) return false;
  // The parent's screen, depth and visual: a child shares them.
  xcb_get_geometry_reply_t* geometry =
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, parent), nullptr);
  xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
      connection, xcb_get_window_attributes(connection, parent), nullptr);
  const xcb_screen_t* screen = nullptr;
  xcb_visualtype_t* visual = nullptr;
  uint8_t depth = 0;
  if (geometry && attributes) {
    for (auto s = xcb_setup_roots_iterator(xcb_get_setup(connection)); s.rem; xcb_screen_next(&s)) {
      if (s.data->root == geometry->root) screen = s.data;
    }
    if (screen) visual = findVisual(screen, attributes->visual, depth);
  }
  std::free(geometry);
  std::free(attributes);
  if (!visual) return false;

  displayScale = scale > 0.0 ? boundedScale(scale) : displayScaleOf(screen->root);
  window = xcb_generate_id(connection);
  const uint32_t mask = XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK;
  const uint32_t values[] = {0, 0,
                             XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                                 XCB_EVENT_MASK_BUTTON_MOTION | XCB_EVENT_MASK_KEY_PRESS |
                                 XCB_EVENT_MASK_STRUCTURE_NOTIFY};
  xcb_generic_error_t* error = xcb_request_check(
      connection,
      xcb_create_window_checked(connection, depth, window, parent, 0, 0,
                                static_cast<uint16_t>(width()), static_cast<uint16_t>(height()), 0,
                                XCB_WINDOW_CLASS_INPUT_OUTPUT, visual->visual_id, mask, values));
  if (error) {
    std::free(error);
    window = 0;
    return false;
  }
  pixmap = xcb_generate_id(connection);
  xcb_create_pixmap(connection, depth, pixmap, window, static_cast<uint16_t>(width()),
                    static_cast<uint16_t>(height()));
  surface = cairo_xcb_surface_create(connection, pixmap, visual, width(), height());
  device = cairo_device_reference(cairo_surface_get_device(surface));
  xcb_change_window_attributes(connection, window, XCB_CW_BACK_PIXMAP, &pixmap);
  loadKeyboardMap();
  dialog.dirty = true;
  repaintIfDirty();
  xcb_map_window(connection, window);
  xcb_flush(connection);
  return true;
}

double X11Window::displayScaleOf(xcb_window_t root) {
  std::string resources;
  xcb_get_property_reply_t* property = xcb_get_property_reply(
      connection,
      xcb_get_property(connection, 0, root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, 65536),
      nullptr);
  if (property) {
    resources.assign(static_cast<const char*>(xcb_get_property_value(property)),
                     static_cast<size_t>(xcb_get_property_value_length(property)));
    std::free(property);
  }
  return ::displayScale(std::getenv("GDK_SCALE"), resources.c_str());
}

int X11Window::fileDescriptor() const {
  return connection ? xcb_get_file_descriptor(connection) : -1;
}

void X11Window::loadKeyboardMap() {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
      connection,
      xcb_get_keyboard_mapping(connection, setup->min_keycode,
                               static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1)),
      nullptr);
  if (!map) return;
  firstKeycode = setup->min_keycode;
  keysymsPerKeycode = map->keysyms_per_keycode;
  const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(map);
  keysyms.assign(symbols, symbols + xcb_get_keyboard_mapping_keysyms_length(map));
  std::free(map);
}

void X11Window::pump() {
  if (!connection) return;
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
    handle(*event);
    std::free(event);
  }
  if (window != 0 && xcb_connection_has_error(connection)) forget();
  // Requests made while handling, such as taking the keyboard focus, leave now.
  xcb_flush(connection);
}

void X11Window::handle(const xcb_generic_event_t& event) {
  if (window == 0) return;
  switch (event.response_type & 0x7f) {
    case 0: {
      // An error for one of our requests: after the parent vanished, the window went with it.
      const auto& error = reinterpret_cast<const xcb_generic_error_t&>(event);
      const bool badResource = error.error_code == XCB_WINDOW || error.error_code == XCB_DRAWABLE;
      if (badResource && (error.resource_id == window || error.resource_id == pixmap)) forget();
      break;
    }
    case XCB_DESTROY_NOTIFY:
      if (reinterpret_cast<const xcb_destroy_notify_event_t&>(event).window == window) forget();
      break;
    case XCB_BUTTON_PRESS: {
      const auto& press = reinterpret_cast<const xcb_button_press_event_t&>(event);
      const int32_t x = unscaled(press.event_x), y = unscaled(press.event_y);
      if (press.detail == kLeftButton) {
        // A click gives the editor the keyboard, as a click on a dialog control does.
        xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
        dialog.press(x, y);
      } else if (press.detail == kWheelUp || press.detail == kWheelDown) {
        dialog.wheel(press.detail == kWheelUp ? 1 : -1, x, y);
      }
      break;
    }
    case XCB_BUTTON_RELEASE: {
      const auto& release = reinterpret_cast<const xcb_button_release_event_t&>(event);
      if (release.detail == kLeftButton) {
        dialog.release(unscaled(release.event_x), unscaled(release.event_y));
      }
      break;
    }
    case XCB_MOTION_NOTIFY: {
      const auto& motion = reinterpret_cast<const xcb_motion_notify_event_t&>(event);
      dialog.motion(unscaled(motion.event_x), unscaled(motion.event_y));
      break;
    }
    case XCB_KEY_PRESS: handleKey(reinterpret_cast<const xcb_key_press_event_t&>(event)); break;
    default: break;
  }
}

void X11Window::handleKey(const xcb_key_press_event_t& event) {
  if (keysymsPerKeycode == 0 || event.detail < firstKeycode) return;
  const size_t slot = static_cast<size_t>(event.detail - firstKeycode) * keysymsPerKeycode;
  if (slot >= keysyms.size()) return;
  DialogKey key;
  if (dialogKey(keysyms[slot], (event.state & XCB_MOD_MASK_SHIFT) != 0, key)) dialog.key(key);
}

void X11Window::repaintIfDirty() {
  if (window == 0 || !dialog.dirty) return;
  dialog.dirty = false;
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, displayScale, displayScale);
  paintDialog(cr, dialog, icons);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  xcb_clear_area(connection, 0, window, 0, 0, 0, 0);
  // Shown by the time idle returns: a host (or a test) that reads the screen next sees it.
  roundTrip();
}

void X11Window::roundTrip() {
  free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

// The server destroyed the window with its parent; its pixmap is ours until we free it.
void X11Window::forget() {
  window = 0;
  release();
}

void X11Window::release() {
  if (surface) {
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
    surface = nullptr;
  }
  if (pixmap != 0) {
    xcb_free_pixmap(connection, pixmap);
    pixmap = 0;
  }
  if (connection) xcb_flush(connection);
}
