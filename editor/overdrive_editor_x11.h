// The plug-in's own window on Linux: the dialog "METALUI" drawn with cairo inside the host's X11
// window. Hosts pass that window's XID to effEditOpen and call effEditIdle on their GUI thread;
// events are read and the controls refreshed there, so the editor has no thread of its own and
// opens no X connection before effEditOpen.
#pragma once

#include <chrono>
#include <cstdint>

#include "editor/control_actions.h"
#include "editor/dialog_state.h"
#include "host/editor_base.h"

class X11Window;

class OverdriveEditor : public EditorBase, private ButtonActions {
 public:
  // Registers itself as the effect's editor and sets effFlagsHasEditor.
  explicit OverdriveEditor(EffectBase* effect);
  // A window still open is closed with the instance.
  ~OverdriveEditor() override;

  OverdriveEditor(const OverdriveEditor&) = delete;
  OverdriveEditor& operator=(const OverdriveEditor&) = delete;

  // The window's size in pixels at the display's scale. Linux hosts size their window before
  // they open the editor, so the size is answered then too, at the scale last seen.
  intptr_t getRect(ERect** rect) override;
  // Nested opens count: only the first creates the window, only the matching last close
  // destroys it. A failed creation answers 0 and does not count.
  intptr_t open(void* parent) override;
  void close() override;
  // Reads the window's events, then refreshes: when the update flag is set, and in any case
  // once 300 ms have passed since the last refresh.
  void idle() override;
  void update() override;

 private:
  void openDocumentation() override;
  void openWebSite() override;
  void destroyWindow();

  X11Window* window = nullptr;
  OpenCount opens;
  std::chrono::steady_clock::time_point lastRefresh;
};
