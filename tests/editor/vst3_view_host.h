// What a VST3 host gives a plug-in's view: an IPlugFrame, which on Linux also hands out the
// host's IRunLoop (descriptors watched with poll(), and timers, all dispatched on the thread that
// pumps it). Both count the references the plug-in holds and the calls it got.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "travesty/edit_controller.h"
#include "travesty/view.h"
#include "vst3/com_face.h"

#ifndef _WIN32
class TestRunLoop {
 public:
  TestRunLoop();
  v3_run_loop** loop() { return interfaceOf<v3_run_loop>(face_); }
  uint32_t refs() const { return references_; }
  size_t registrations() const { return watches_.size() + timers_.size(); }
  // Dispatches for about `milliseconds`.
  void pump(int32_t milliseconds);
  int32_t timerCalls = 0;

  v3_result queryInterface(const uint8_t* iid, void** object);
  uint32_t addRef() { return ++references_; }
  uint32_t release() { return --references_; }
  v3_result registerEventHandler(v3_event_handler** handler, int descriptor);
  v3_result unregisterEventHandler(v3_event_handler** handler);
  v3_result registerTimer(v3_timer_handler** handler, uint64_t milliseconds);
  v3_result unregisterTimer(v3_timer_handler** handler);

 private:
  struct Watch {
    v3_event_handler** handler;
    int descriptor;
  };
  struct Timer {
    v3_timer_handler** handler;
    int64_t interval, due;  // milliseconds
  };
  Face<TestRunLoop> face_;
  std::atomic<uint32_t> references_{1};
  std::vector<Watch> watches_;
  std::vector<Timer> timers_;
};
#endif

class TestPlugFrame {
 public:
  explicit TestPlugFrame(v3_run_loop** runLoop = nullptr);
  v3_plugin_frame** frame() { return interfaceOf<v3_plugin_frame>(face_); }
  uint32_t refs() const { return references_; }

  v3_result queryInterface(const uint8_t* iid, void** object);
  uint32_t addRef() { return ++references_; }
  uint32_t release() { return --references_; }
  v3_result resizeView(v3_plugin_view** view, v3_view_rect* rect);

 private:
  Face<TestPlugFrame> face_;
  std::atomic<uint32_t> references_{1};
  v3_run_loop** runLoop_;
};

// The controller's view, and its table.
v3_plugin_view** createEditorView(v3_edit_controller** controller);
const v3_plugin_view& viewTable(v3_plugin_view** view);
