#include "editor/editor_dialog.h"

#include <commctrl.h>

#include "editor/control_actions.h"
#include "editor/control_mapping.h"
#include "editor/module_directory.h"
#include "editor/overdrive_editor.h"
#include "editor/shell_win32.h"
#include "editor/slider_scale.h"
#include "editor/web_site.h"
#include "host/effect_base.h"
#include "host/float_environment.h"
#include "resources/metalui_ids.h"

namespace {

void prepareSliders(HWND dialog) {
  for (const ControlBinding& binding : kControlBindings) {
    if (binding.kind != ControlKind::slider) continue;
    SendDlgItemMessageA(dialog, binding.controlId, TBM_SETRANGE, TRUE,
                        MAKELPARAM(kSliderMinimum, kSliderMaximum));
    SendDlgItemMessageA(dialog, binding.controlId, TBM_SETTICFREQ, kSliderTicFrequency, 0);
  }
}

void onCommand(OverdriveEditor& editor, int controlId, HWND control) {
  switch (controlId) {
    case IDC_X100_CHECKBOX: {
      // An automatic check box has already flipped itself: the state read is the new one.
      const bool checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
      sendCheckBox(*editor.effect, checked);
      break;
    }
    case IDC_DOCS_BUTTON:
      composeDocumentationPath();
      openUrlOrDocument(documentationPath, SW_SHOW);
      break;
    case IDC_WEB_BUTTON: openUrlOrDocument(webSiteAddress, SW_SHOW); break;
    default: break;
  }
}

// Every notification code alike: a drag sends a stream of values and its end the last again.
void onSliderMoved(OverdriveEditor& editor, HWND slider) {
  const auto position = static_cast<int32_t>(SendMessageA(slider, TBM_GETPOS, 0, 0));
  sendSliderPosition(*editor.effect, GetWindowLongA(slider, GWL_ID), position);
}

}  // namespace

INT_PTR CALLBACK editorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // A slider's value and every parameter it sets are computed as on any other entry.
  const FloatingPointDefaults defaults;
  if (message == WM_INITDIALOG) {
    SetPropA(dialog, kEditorProperty, reinterpret_cast<HANDLE>(lParam));
    prepareSliders(dialog);
    return TRUE;
  }
  // Messages before WM_INITDIALOG and after close find no editor.
  auto* editor = static_cast<OverdriveEditor*>(GetPropA(dialog, kEditorProperty));
  if (!editor) return FALSE;
  switch (message) {
    case WM_COMMAND:
      onCommand(*editor, LOWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_TIMER:
      // Any timer identifier: the same step as the host's idle call.
      editor->idle();
      return TRUE;
    case WM_VSCROLL: onSliderMoved(*editor, reinterpret_cast<HWND>(lParam)); return TRUE;
    case WM_DESTROY:
      // close removes the property before destroying; finding it here means the dialog
      // went with the host's window.
      editor->dialogDestroyed();
      return FALSE;
    default: return FALSE;
  }
}

namespace {

class DialogControls : public ControlView {
 public:
  explicit DialogControls(HWND dialog) : dialog(dialog) {}
  void showSliderPosition(int32_t controlId, int32_t position) override {
    SendDlgItemMessageA(dialog, controlId, TBM_SETPOS, TRUE, position);
  }
  void showCheckBox(int32_t controlId, bool checked) override {
    SendDlgItemMessageA(dialog, controlId, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

 private:
  HWND dialog;
};

}  // namespace

void OverdriveEditor::update() {
  DialogControls controls(dialogWindow);
  refreshControls(*effect, controls);
}
