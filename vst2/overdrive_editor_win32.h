// The plug-in's own window on Windows as a VST2 editor: the dialog view "METALUI" inside the
// host's window. Its controls show the parameters through polling: the effect raises the update
// flag, and the host's idle call or the dialog's 300 ms timer refreshes every control once.
#pragma once

#include <cstdint>

#include "editor/control_actions.h"
#include "editor/win32_dialog_view.h"
#include "vst2/editor_base.h"
#include "vst2/editor_port.h"

class OverdriveEditor : public EditorBase {
 public:
  // Registers itself as the effect's editor and sets effFlagsHasEditor.
  explicit OverdriveEditor(EffectBase* effect);
  // A dialog still open is closed, so that no message reaches a destroyed editor.
  ~OverdriveEditor() override;

  OverdriveEditor(const OverdriveEditor&) = delete;
  OverdriveEditor& operator=(const OverdriveEditor&) = delete;

  // The dialog's client size in pixels. With no dialog: the size the template gave the last
  // one when the host destroyed it with its own window, else 0 and nothing written.
  intptr_t getRect(ERect** rect) override;
  // Nested opens count: only the first creates the dialog, only the matching last close
  // destroys it. A failed creation answers 0 and does not count. A dialog the host destroyed
  // with its own window counts as closed, and the next open creates a new one.
  intptr_t open(void* parent) override;
  void close() override;
  // Sets every control from the effect's current values.
  void update() override;

  const Win32DialogView& dialogView() const { return view; }

 private:
  EditorPort port{*this};
  Win32DialogView view{port};
  OpenCount opens;
};
