#include "editor/editor_dialog.h"

#include <commctrl.h>

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
      editor.effect->setParameterAutomated(3, checked ? kCheckedValue : kClearedValue);
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
  const int32_t index = parameterIndexOfSlider(GetWindowLongA(slider, GWL_ID));
  if (index < 0) return;
  const auto position = static_cast<int32_t>(SendMessageA(slider, TBM_GETPOS, 0, 0));
  editor.effect->setParameterAutomated(index, valueFromSliderPosition(position));
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

// Each value is read once; the host may change it meanwhile on another thread.
void OverdriveEditor::update() {
  for (const ControlBinding& binding : kControlBindings) {
    const float value = effect->getParameter(binding.parameterIndex);
    HWND control = GetDlgItem(dialogWindow, binding.controlId);
    if (binding.kind == ControlKind::slider) {
      SendMessageA(control, TBM_SETPOS, TRUE, sliderPositionFromValue(value));
    } else {
      SendMessageA(control, BM_SETCHECK, checkBoxShowsChecked(value) ? BST_CHECKED : BST_UNCHECKED,
                   0);
    }
  }
}
