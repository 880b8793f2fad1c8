// The plug-in's own window as a VST3 view: the editor's view for the platform inside the host's
// window, fed through the view port. On Windows the dialog "METALUI" in the HWND the host passes,
// idling on its own timer. On Linux the same dialog drawn with cairo in a child of the X11 window
// whose id the host passes, at the content scale the host gives (else the display's); its events
// and refreshes come from the host's IRunLoop, which the view finds on the host's IPlugFrame and
// in which it keeps a timer and a watch on its X connection while attached.
//
// Threads: every entry runs on the host's UI thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "editor/platform_view.h"
#include "travesty/view.h"
#include "vst3/com_face.h"
#include "vst3/view_port.h"

class OverdriveView {
 public:
  // A new view holding one reference, and one on the effect; null when out of memory.
  static v3_plugin_view** create(OverdriveVst3& effect);

  v3_result queryInterface(const uint8_t* iid, void** object);
  uint32_t addRef();
  uint32_t release();

  // IPlugView. The size is fixed: the host may not resize the window.
  v3_result isPlatformTypeSupported(const char* type);
  v3_result attached(void* parent, const char* type);
  v3_result removed();
  v3_result onWheel(float distance);
  v3_result onKeyDown(int16_t character, int16_t code, int16_t modifiers);
  v3_result onKeyUp(int16_t character, int16_t code, int16_t modifiers);
  v3_result getSize(v3_view_rect* rect);
  v3_result onSize(v3_view_rect* rect);
  v3_result onFocus(v3_bool focused);
  v3_result setFrame(v3_plugin_frame** frame);
  v3_result canResize();
  v3_result checkSizeConstraint(v3_view_rect* rect);

#ifndef _WIN32
  // IPlugViewContentScaleSupport: an open window is opened again at the new scale.
  v3_result setContentScaleFactor(float factor);
  // ITimerHandler and IEventHandler: the window's idle step. XCB may already hold events it
  // read while sending, which poll() no longer reports, so the timer reads events too.
  void onTimer();
  void onFDIsSet(int descriptor);
#endif

 private:
  explicit OverdriveView(OverdriveVst3& effect);
  ~OverdriveView();

  // The window's size in pixels; before it opens, the size it will open at.
  void windowSize(int32_t& width, int32_t& height) const;
  // Asks the host's frame for the window's size when it differs from the size last given.
  void fitFrame();
#ifndef _WIN32
  void watchWithRunLoop();
  void stopWatching();
#endif

  Face<OverdriveView> view_;
#ifndef _WIN32
  Face<OverdriveView> scale_, timer_, events_;
  v3_run_loop** runLoop_ = nullptr;
  uint32_t parent_ = 0;
  double contentScale_ = 0.0;  // 0: the display's
#endif
  std::atomic<uint32_t> references_{1};
  OverdriveVst3& effect_;
  ViewPort port_;
  EditorView window_;
  v3_plugin_frame** frame_ = nullptr;
  int32_t givenWidth_ = 0, givenHeight_ = 0;
};
