// The plug-in's own window as a VST2 editor: the editor's view for the platform inside the
// host's window, fed through the editor port. On Windows the dialog "METALUI" in the HWND the
// host passes; on Linux the same dialog drawn with cairo in a child of the X11 window whose XID
// the host passes, its events read on the host's effEditIdle (the editor has no thread of its
// own and opens no X connection before effEditOpen). The controls follow the parameters by
// polling: the effect raises the update flag, and the host's idle call (or the view's 300 ms
// timer) refreshes every control once.
#pragma once

#include <cstdint>

#include "editor/control_actions.h"
#include "editor/platform_view.h"
#include "vst2/editor_base.h"
#include "vst2/editor_port.h"

class OverdriveEditor : public EditorBase {
 public:
  // Registers itself as the effect's editor and sets effFlagsHasEditor.
  explicit OverdriveEditor(EffectBase* effect);
  // A window still open is closed with the instance, so that no message reaches it afterwards.
  ~OverdriveEditor() override;

  OverdriveEditor(const OverdriveEditor&) = delete;
  OverdriveEditor& operator=(const OverdriveEditor&) = delete;

  // The window's size in pixels. Windows: with no dialog, the size the template gave the last
  // one when the host destroyed it with its own window, else 0 and nothing written. Linux: also
  // before the first open (Linux hosts size their window first), at the scale last seen.
  intptr_t getRect(ERect** rect) override;
  // Nested opens count: only the first creates the window, only the matching last close
  // destroys it. A failed creation answers 0 and does not count. A dialog the host destroyed
  // with its own window (Windows) counts as closed, and the next open creates a new one.
  intptr_t open(void* parent) override;
  void close() override;
  // The view's idle step: events (Linux), then a refresh when the update flag is set (and on
  // Linux at least every 300 ms), then a repaint.
  void idle() override;
  // Sets every control from the effect's current values.
  void update() override;

  const EditorView& view() const { return view_; }

 private:
  EditorPort port{*this};
  EditorView view_{port};
  OpenCount opens;
};
