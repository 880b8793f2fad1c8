// The dialog "METALUI" as a view any Windows format opens: a modeless child dialog inside the
// host's window, fed from a parameter port. Its controls show the values by polling: its own
// 300 ms timer, and the host's idle calls where the format passes them on, refresh every control
// once when the port has news.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdint>

class ParameterPort;

// The property on the dialog that holds its view.
constexpr char kEditorProperty[] = "ADEDITOR";

constexpr UINT_PTR kRefreshTimerId = 1;
constexpr UINT kRefreshPeriodMs = 300;

class Win32DialogView {
 public:
  explicit Win32DialogView(ParameterPort& port);
  // A dialog still open is closed, so that no message reaches a destroyed view.
  ~Win32DialogView();
  Win32DialogView(const Win32DialogView&) = delete;
  Win32DialogView& operator=(const Win32DialogView&) = delete;

  // Creates the dialog in `parent` and shows it; its controls keep their starting state until
  // the first refresh. False when the dialog cannot be created.
  bool open(HWND parent);
  void close();
  bool isOpen() const { return dialog != nullptr; }
  HWND window() const { return dialog; }

  // The refresh step: every control from the port's values when the port has news.
  void idle();
  void refresh();

  // The dialog's client size in pixels as its template laid it out when it opened.
  SIZE templateSize() const { return openedSize; }
  // Whether the last dialog went with the host's window, without a close.
  bool vanished() const { return destroyedByHost; }

  // The dialog procedure's handlers.
  void sliderMoved(HWND slider, int code);
  void commandReceived(int controlId, HWND control);
  void destroyedByParent();

 private:
  void endGesture();

  ParameterPort& port;
  HWND dialog = nullptr;
  SIZE openedSize{};
  bool destroyedByHost = false;
  int32_t gestureParameter = -1;  // the slider's parameter a drag or key press is moving
};
