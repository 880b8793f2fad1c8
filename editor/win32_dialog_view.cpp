#include "editor/win32_dialog_view.h"

// commctrl.h needs windows.h first.
#include <commctrl.h>

#include "editor/control_actions.h"
#include "editor/control_mapping.h"
#include "editor/module_directory.h"
#include "editor/module_handle.h"
#include "editor/parameter_port.h"
#include "editor/shell_win32.h"
#include "editor/slider_scale.h"
#include "editor/web_site.h"
#include "engine/float_environment.h"
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

SIZE clientSize(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // A slider's value and every parameter it sets are computed as on any other entry.
  const FloatingPointDefaults defaults;
  if (message == WM_INITDIALOG) {
    SetPropA(dialog, kEditorProperty, reinterpret_cast<HANDLE>(lParam));
    prepareSliders(dialog);
    return TRUE;
  }
  // Messages before WM_INITDIALOG and after close find no view.
  auto* view = static_cast<Win32DialogView*>(GetPropA(dialog, kEditorProperty));
  if (!view) return FALSE;
  switch (message) {
    case WM_COMMAND:
      view->commandReceived(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_TIMER:
      // Any timer identifier: the same step as the host's idle call.
      view->idle();
      return TRUE;
    case WM_VSCROLL: view->sliderMoved(reinterpret_cast<HWND>(lParam), LOWORD(wParam)); return TRUE;
    case WM_DESTROY:
      // close removes the property before destroying; finding it here means the dialog
      // went with the host's window.
      view->destroyedByParent();
      return FALSE;
    default: return FALSE;
  }
}

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

Win32DialogView::Win32DialogView(ParameterPort& parameters) : port(parameters) {
  readModuleDirectoryOnce();
}

Win32DialogView::~Win32DialogView() { close(); }

bool Win32DialogView::open(HWND parent) {
  close();
  // The sliders' class belongs to the common controls, which the host may never have set up.
  const INITCOMMONCONTROLSEX controlClasses = {sizeof controlClasses, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controlClasses);
  // The dialog procedure stores this view on the dialog during WM_INITDIALOG.
  dialog = CreateDialogParamA(static_cast<HINSTANCE>(moduleHandle), "METALUI", parent, dialogProc,
                              reinterpret_cast<LPARAM>(this));
  if (!dialog) return false;
  openedSize = clientSize(dialog);
  destroyedByHost = false;
  ShowWindow(dialog, SW_SHOW);
  SetTimer(dialog, kRefreshTimerId, kRefreshPeriodMs, nullptr);
  return true;
}

void Win32DialogView::close() {
  if (!dialog) return;
  endGesture();
  KillTimer(dialog, kRefreshTimerId);
  RemovePropA(dialog, kEditorProperty);
  DestroyWindow(dialog);
  dialog = nullptr;
}

void Win32DialogView::destroyedByParent() {
  endGesture();
  RemovePropA(dialog, kEditorProperty);
  dialog = nullptr;
  destroyedByHost = true;
}

void Win32DialogView::idle() {
  if (port.takeChanges()) refresh();
}

void Win32DialogView::refresh() {
  if (!dialog) return;
  DialogControls controls(dialog);
  refreshControls(port, controls);
}

// Every notification code alike: a drag sends a stream of values and its end the last again.
// What moves a slider (a drag, keys, clicks on the track) ends with TB_ENDTRACK, which also ends
// the gesture.
void Win32DialogView::sliderMoved(HWND slider, int code) {
  const int32_t controlId = GetWindowLongA(slider, GWL_ID);
  const int32_t parameter = parameterIndexOfSlider(controlId);
  if (parameter < 0) return;
  if (gestureParameter != parameter) {
    endGesture();
    port.beginGesture(parameter);
    gestureParameter = parameter;
  }
  const auto position = static_cast<int32_t>(SendMessageA(slider, TBM_GETPOS, 0, 0));
  sendSliderPosition(port, controlId, position);
  if (code == TB_ENDTRACK) endGesture();
}

void Win32DialogView::endGesture() {
  if (gestureParameter < 0) return;
  port.endGesture(gestureParameter);
  gestureParameter = -1;
}

void Win32DialogView::commandReceived(int controlId, HWND control) {
  switch (controlId) {
    case IDC_X100_CHECKBOX: {
      // An automatic check box has already flipped itself: the state read is the new one.
      const bool checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
      sendCheckBox(port, checked);
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
