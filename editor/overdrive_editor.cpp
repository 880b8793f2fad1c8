#include "editor/overdrive_editor.h"

// commctrl.h needs windows.h first.
#include <commctrl.h>

#include "editor/editor_dialog.h"
#include "editor/module_directory.h"
#include "editor/shell_win32.h"
#include "host/aeffect.h"
#include "host/effect_base.h"
#include "host/module_globals.h"

namespace {

// Handed to the host by getRect; shared by all editors, whose dialogs are all the same size.
ERect editorRect;

ERect clientSize(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return {0, 0, static_cast<int16_t>(client.bottom - client.top),
          static_cast<int16_t>(client.right - client.left)};
}

}  // namespace

OverdriveEditor::OverdriveEditor(EffectBase* owner) : EditorBase(owner) {
  effect->editor = this;
  effect->effectRecord.flags |= effFlagsHasEditor;
  readModuleDirectoryOnce();
}

OverdriveEditor::~OverdriveEditor() {
  if (dialogWindow) destroyDialog();
}

intptr_t OverdriveEditor::getRect(ERect** rect) {
  if (dialogWindow) {
    editorRect = clientSize(dialogWindow);
  } else if (dialogVanished) {
    // A host that lost its window may ask for the size to build a new one.
    editorRect = templateSize;
  } else {
    return 0;
  }
  *rect = &editorRect;
  return 1;
}

intptr_t OverdriveEditor::open(void* parent) {
  if (opens.nests()) return 1;
  parentWindow = parent;
  // The sliders' class belongs to the common controls, which the host may never have set up.
  const INITCOMMONCONTROLSEX controlClasses = {sizeof controlClasses, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controlClasses);
  // The dialog procedure stores this editor on the dialog during WM_INITDIALOG.
  dialogWindow =
      CreateDialogParamA(static_cast<HINSTANCE>(moduleHandle), "METALUI", static_cast<HWND>(parent),
                         editorDialogProc, reinterpret_cast<LPARAM>(this));
  if (!dialogWindow) return 0;
  opens.firstOpened();
  templateSize = clientSize(dialogWindow);
  dialogVanished = false;
  ShowWindow(dialogWindow, SW_SHOW);
  // The controls stay at their starting state until the first idle call or timer tick.
  postUpdate();
  SetTimer(dialogWindow, kRefreshTimerId, kRefreshPeriodMs, nullptr);
  return 1;
}

void OverdriveEditor::close() {
  if (opens.lastClosed()) destroyDialog();
}

void OverdriveEditor::dialogDestroyed() {
  RemovePropA(dialogWindow, kEditorProperty);
  dialogWindow = nullptr;
  opens.reset();
  dialogVanished = true;
}

void OverdriveEditor::destroyDialog() {
  KillTimer(dialogWindow, kRefreshTimerId);
  RemovePropA(dialogWindow, kEditorProperty);
  DestroyWindow(dialogWindow);
  dialogWindow = nullptr;
  opens.reset();
}
