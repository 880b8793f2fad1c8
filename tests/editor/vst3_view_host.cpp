#include "vst3_view_host.h"

#ifndef _WIN32
#include <poll.h>

#include <chrono>
#endif

namespace {

const v3_plugin_frame_cpp kFrameTable = {unknownEntries<TestPlugFrame>(),
                                         {&Entry<&TestPlugFrame::resizeView>::call}};

#ifndef _WIN32
const v3_run_loop_cpp kRunLoopTable = {
    unknownEntries<TestRunLoop>(),
    {&Entry<&TestRunLoop::registerEventHandler>::call,
     &Entry<&TestRunLoop::unregisterEventHandler>::call, &Entry<&TestRunLoop::registerTimer>::call,
     &Entry<&TestRunLoop::unregisterTimer>::call}};

int64_t now() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
#endif

}  // namespace

v3_plugin_view** createEditorView(v3_edit_controller** controller) {
  return tableOf<v3_edit_controller_cpp>(controller).ctrl.create_view(controller, "editor");
}

const v3_plugin_view& viewTable(v3_plugin_view** view) {
  return tableOf<v3_plugin_view_cpp>(view).view;
}

TestPlugFrame::TestPlugFrame(v3_run_loop** runLoop)
    : face_{&kFrameTable, this}, runLoop_(runLoop) {}

v3_result TestPlugFrame::queryInterface(const uint8_t* iid, void** object) {
#ifndef _WIN32
  if (runLoop_ && v3_tuid_match(iid, v3_run_loop_iid)) {
    addRefOf(runLoop_);
    *object = runLoop_;
    return V3_OK;
  }
#endif
  return answerQuery(*this, iid, v3_plugin_frame_iid, &face_, object);
}

// The host's window keeps its size; a host that could would resize it, then call onSize.
v3_result TestPlugFrame::resizeView(v3_plugin_view**, v3_view_rect*) { return V3_OK; }

#ifndef _WIN32
TestRunLoop::TestRunLoop() : face_{&kRunLoopTable, this} {}

v3_result TestRunLoop::queryInterface(const uint8_t* iid, void** object) {
  return answerQuery(*this, iid, v3_run_loop_iid, &face_, object);
}

v3_result TestRunLoop::registerEventHandler(v3_event_handler** handler, int descriptor) {
  if (!handler || descriptor < 0) return V3_INVALID_ARG;
  addRefOf(handler);
  watches_.push_back({handler, descriptor});
  return V3_OK;
}

v3_result TestRunLoop::unregisterEventHandler(v3_event_handler** handler) {
  for (size_t i = 0; i < watches_.size(); ++i) {
    if (watches_[i].handler != handler) continue;
    watches_.erase(watches_.begin() + static_cast<std::ptrdiff_t>(i));
    releaseOf(handler);
    return V3_OK;
  }
  return V3_INVALID_ARG;
}

v3_result TestRunLoop::registerTimer(v3_timer_handler** handler, uint64_t milliseconds) {
  if (!handler || milliseconds == 0) return V3_INVALID_ARG;
  addRefOf(handler);
  const auto interval = static_cast<int64_t>(milliseconds);
  timers_.push_back({handler, interval, now() + interval});
  return V3_OK;
}

v3_result TestRunLoop::unregisterTimer(v3_timer_handler** handler) {
  for (size_t i = 0; i < timers_.size(); ++i) {
    if (timers_[i].handler != handler) continue;
    timers_.erase(timers_.begin() + static_cast<std::ptrdiff_t>(i));
    releaseOf(handler);
    return V3_OK;
  }
  return V3_INVALID_ARG;
}

// A handler may unregister itself while called, so the lists are read by index each time.
void TestRunLoop::pump(int32_t milliseconds) {
  const int64_t end = now() + milliseconds;
  for (int64_t time = now(); time < end; time = now()) {
    int64_t next = end;
    for (const Timer& timer : timers_) next = timer.due < next ? timer.due : next;
    std::vector<pollfd> watched;
    for (const Watch& watch : watches_) watched.push_back({watch.descriptor, POLLIN, 0});
    if (poll(watched.data(), watched.size(), static_cast<int>(next > time ? next - time : 0)) > 0) {
      for (size_t i = 0; i < watched.size() && i < watches_.size(); ++i) {
        if (!(watched[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        v3_event_handler** handler = watches_[i].handler;
        tableOf<v3_event_handler_cpp>(handler).handler.on_fd_is_set(handler,
                                                                    watches_[i].descriptor);
      }
    }
    for (size_t i = 0; i < timers_.size(); ++i) {
      if (timers_[i].due > now()) continue;
      timers_[i].due = now() + timers_[i].interval;
      ++timerCalls;
      v3_timer_handler** handler = timers_[i].handler;
      tableOf<v3_timer_handler_cpp>(handler).timer.on_timer(handler);
    }
  }
}
#endif
