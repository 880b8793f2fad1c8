// The plug-in's own window: a modeless child dialog "METALUI" inside the host's window. Its
// controls show the parameters through polling: the effect raises the update flag, and the
// host's idle call or the dialog's 300 ms timer refreshes every control once.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdint>

#include "editor/control_actions.h"
#include "host/editor_base.h"

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
  // destroys it. A failed creation answers 0 and does not count.
  intptr_t open(void* parent) override;
  void close() override;
  // The dialog was destroyed by someone else (the host's window went without a close): the
  // editor counts as closed, and the next open creates a dialog again.
  void dialogDestroyed();
  // Sets every control from the effect's current values.
  void update() override;

  HWND dialogWindow = nullptr;

 private:
  void destroyDialog();

  OpenCount opens;
  // The client size of the last dialog as the template laid it out, and whether that dialog
  // went with the host's window, without a close.
  ERect templateSize{};
  bool dialogVanished = false;
};
