// The editor's window under X11: a child of the host's window on an XCB connection of the
// editor's own, so that no process-wide error handler is needed. XCB reports each request's
// error as an event on that connection: a parent that vanishes destroys this window with it,
// which the window notices and then only waits to be closed. The dialog is drawn with cairo
// into a server-side pixmap that is the window's background, so the X server repaints exposed
// parts itself, even for a host that never calls idle.
#pragma once

#include <cairo.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

#include "editor/dialog_painter.h"
#include "editor/dialog_state.h"

class X11Window {
 public:
  X11Window(ParameterPort& port, ButtonActions& actions);
  ~X11Window();
  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

  // Connects to $DISPLAY and creates the window inside parent, at `scale` or, when it is 0, at
  // the display's (editor/display_scale.h). False when the display does not open or parent is
  // no window there; nothing is left behind then.
  bool create(uint32_t parent, double scale);
  // Reads every event that has arrived, then repaints when anything changed.
  void pump();
  void repaintIfDirty();

  DialogState& state() { return dialog; }
  uint32_t id() const { return window; }
  double scale() const { return displayScale; }
  int32_t width() const;
  int32_t height() const;
  // The connection's file descriptor, readable when events arrive; -1 without a connection.
  int fileDescriptor() const;

 private:
  void handle(const xcb_generic_event_t& event);
  void handleKey(const xcb_key_press_event_t& event);
  void loadKeyboardMap();
  double displayScaleOf(xcb_window_t root);
  void forget();
  void roundTrip();
  void release();
  int32_t unscaled(int32_t coordinate) const;

  DialogState dialog;
  DialogIcons icons;
  xcb_connection_t* connection = nullptr;
  xcb_window_t window = 0;
  xcb_pixmap_t pixmap = 0;
  cairo_surface_t* surface = nullptr;
  cairo_device_t* device = nullptr;
  double displayScale = 1.0;
  uint8_t firstKeycode = 0;
  uint8_t keysymsPerKeycode = 0;
  std::vector<uint32_t> keysyms;
};
