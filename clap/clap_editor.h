// The window of one CLAP instance: the editor's view for the platform, embedded in the host's
// window and fed through the CLAP port. It exists from gui.create to gui.destroy and opens in
// gui.set_parent; main thread only. On Linux its events and refreshes run on a host timer
// (timer-support: the CLAP headers Debian ships have no posix-fd-support, and a tick reads every
// queued event, which waiting on the connection's descriptor would miss); on Windows on the
// dialog's own 300 ms timer.
#pragma once

#include <cstdint>

#include "clap/clap_editor_port.h"
#include "clap/ext/gui.h"
#include "editor/platform_view.h"

class ClapEditor {
 public:
  // The window API of the platform: x11 or win32.
  static const char* const kApi;

  explicit ClapEditor(OverdriveClap& owner) : owner(owner) {}
  // The window still open is closed, its timer given back.
  ~ClapEditor();
  ClapEditor(const ClapEditor&) = delete;
  ClapEditor& operator=(const ClapEditor&) = delete;

  // X11: the scale to draw at from now on, an open window redrawn at it; Windows lays the
  // dialog out at the system's scale itself and answers false.
  bool setScale(double scale);
  // The window's size in pixels: while open its own, before that what it will be.
  void size(uint32_t& width, uint32_t& height) const;
  // Opens the window in the host's; false when it cannot. A size other than the one announced
  // is asked of the host.
  bool open(const clap_window_t& parent);
  // A host timer's tick.
  void timer(clap_id id);

 private:
  OverdriveClap& owner;
  ClapEditorPort port{owner};
  EditorView view{port};
#ifndef _WIN32
  double hostScale = 0.0;  // 0: the display's
  uint32_t parent = 0;
  clap_id timerId = 0;
  bool ticking = false;
#endif
};
