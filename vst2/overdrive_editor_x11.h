// The plug-in's own window on Linux as a VST2 editor: the X11 view inside the host's window.
// Hosts pass that window's XID to effEditOpen and call effEditIdle on their GUI thread; events
// are read and the controls refreshed there, so the editor has no thread of its own and opens no
// X connection before effEditOpen.
#pragma once

#include <cstdint>

#include "editor/control_actions.h"
#include "editor/x11_editor_view.h"
#include "vst2/editor_base.h"
#include "vst2/editor_port.h"

class OverdriveEditor : public EditorBase {
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
  EditorPort port{*this};
  X11EditorView view{port};
  OpenCount opens;
};
