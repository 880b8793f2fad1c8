// The view on Linux: the X11 window in the window whose id the host passes, idled from the
// host's run loop.
#include <cstring>

#include "editor/display_scale.h"
#include "vst3/overdrive_view.h"

namespace {

// How often the run loop idles the window: events, news of values, the periodic refresh.
constexpr uint64_t kIdleMilliseconds = 50;

}  // namespace

v3_result OverdriveView::isPlatformTypeSupported(const char* type) {
  return type && std::strcmp(type, V3_VIEW_PLATFORM_TYPE_X11) == 0 ? V3_TRUE : V3_FALSE;
}

v3_result OverdriveView::attached(void* parent, const char* type) {
  if (!parent || isPlatformTypeSupported(type) != V3_TRUE || window_.isOpen()) return V3_FALSE;
  // The host's window is an X11 id carried in the pointer.
  parent_ = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parent));
  if (!window_.open(parent_, contentScale_)) return V3_FALSE;
  watchWithRunLoop();
  fitFrame();
  return V3_OK;
}

v3_result OverdriveView::removed() {
  stopWatching();
  window_.close();
  return V3_OK;
}

// Linux hosts size their window before attaching the view: until then, at the host's scale.
void OverdriveView::windowSize(int32_t& width, int32_t& height) const {
  window_.expectedSize(contentScale_, width, height);
}

v3_result OverdriveView::setContentScaleFactor(float factor) {
  contentScale_ = boundedScale(factor);
  if (!window_.isOpen()) return V3_OK;
  stopWatching();
  if (!window_.open(parent_, contentScale_)) return V3_FALSE;
  watchWithRunLoop();
  fitFrame();
  return V3_OK;
}

void OverdriveView::onTimer() { window_.idle(); }
void OverdriveView::onFDIsSet(int) { window_.idle(); }

void OverdriveView::watchWithRunLoop() {
  if (!frame_ || !queryOf(frame_, v3_run_loop_iid, &runLoop_)) return;
  const auto& loop = tableOf<v3_run_loop_cpp>(runLoop_).loop;
  loop.register_event_handler(runLoop_, interfaceOf<v3_event_handler>(events_),
                              window_.fileDescriptor());
  loop.register_timer(runLoop_, interfaceOf<v3_timer_handler>(timer_), kIdleMilliseconds);
}

void OverdriveView::stopWatching() {
  if (!runLoop_) return;
  const auto& loop = tableOf<v3_run_loop_cpp>(runLoop_).loop;
  loop.unregister_timer(runLoop_, interfaceOf<v3_timer_handler>(timer_));
  loop.unregister_event_handler(runLoop_, interfaceOf<v3_event_handler>(events_));
  releaseOf(runLoop_);
  runLoop_ = nullptr;
}
