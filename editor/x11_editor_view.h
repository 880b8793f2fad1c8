// The editor's window under X11 as a view any format opens: a child of the host's window, fed
// from a parameter port, driven by the host's idle calls (a format's idle callback, timer or
// file-descriptor watch). It has no thread of its own and opens no X connection before `open`.
#pragma once

#include <chrono>
#include <cstdint>

#include "editor/dialog_state.h"

class ParameterPort;
class X11Window;

class X11EditorView : private ButtonActions {
 public:
  explicit X11EditorView(ParameterPort& port);
  // A window still open is closed.
  ~X11EditorView() override;
  X11EditorView(const X11EditorView&) = delete;
  X11EditorView& operator=(const X11EditorView&) = delete;

  // Creates the window in `parent` (an X11 window id), at `scale` or, when 0, at the display's,
  // showing the port's values at once. False, and nothing left behind, when it cannot.
  bool open(uint32_t parent, double scale = 0.0);
  void close();
  bool isOpen() const { return window != nullptr; }

  // Reads the window's events, then refreshes: when the port has news, and in any case once
  // 300 ms have passed since the last refresh; then repaints what changed.
  void idle();
  // Sets every control from the port's values now.
  void refresh();

  // The window's scale and its size in pixels; only while open.
  double scale() const;
  int32_t width() const;
  int32_t height() const;
  // The size a host should make room for: while open, the window's; before (Linux hosts size
  // their window first), the size at `scale` or, when 0, at the scale the environment gives
  // without a display connection (GDK_SCALE; the display's resources are read once it opens).
  void expectedSize(double scale, int32_t& width, int32_t& height) const;
  // The X connection's descriptor, readable when events wait; -1 while closed.
  int fileDescriptor() const;
  // The window's X id (what an LV2 X11 UI hands its host); 0 while closed.
  uint32_t windowId() const;

 private:
  void openDocumentation() override;
  void openWebSite() override;

  ParameterPort& port;
  X11Window* window = nullptr;
  std::chrono::steady_clock::time_point lastRefresh;
};
