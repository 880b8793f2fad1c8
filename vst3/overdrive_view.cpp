// What the view does alike on every platform: its faces and life, the host's frame, the fixed
// size. overdrive_view_x11.cpp and overdrive_view_win32.cpp open and idle the window.
#include "vst3/overdrive_view.h"

#include <new>

#include "vst3/entry_guard.h"

namespace {

using W = OverdriveView;

const v3_plugin_view_cpp kViewTable = {
    unknownEntries<W>(),
    {&PluginEntry<&W::isPlatformTypeSupported>::call, &PluginEntry<&W::attached>::call,
     &PluginEntry<&W::removed>::call, &PluginEntry<&W::onWheel>::call,
     &PluginEntry<&W::onKeyDown>::call, &PluginEntry<&W::onKeyUp>::call,
     &PluginEntry<&W::getSize>::call, &PluginEntry<&W::onSize>::call,
     &PluginEntry<&W::onFocus>::call, &PluginEntry<&W::setFrame>::call,
     &PluginEntry<&W::canResize>::call, &PluginEntry<&W::checkSizeConstraint>::call}};

#ifndef _WIN32
const v3_plugin_view_content_scale_cpp kScaleTable = {
    unknownEntries<W>(), {&PluginEntry<&W::setContentScaleFactor>::call}};
const v3_timer_handler_cpp kTimerTable = {unknownEntries<W>(), {&PluginEntry<&W::onTimer>::call}};
const v3_event_handler_cpp kEventsTable = {unknownEntries<W>(),
                                           {&PluginEntry<&W::onFDIsSet>::call}};
#endif

}  // namespace

v3_plugin_view** OverdriveView::create(OverdriveVst3& effect) {
  OverdriveView* view = new (std::nothrow) OverdriveView(effect);
  return view ? interfaceOf<v3_plugin_view>(view->view_) : nullptr;
}

OverdriveView::OverdriveView(OverdriveVst3& effect)
    : view_{&kViewTable, this},
#ifndef _WIN32
      scale_{&kScaleTable, this},
      timer_{&kTimerTable, this},
      events_{&kEventsTable, this},
#endif
      effect_(effect),
      port_(effect),
      window_(port_) {
  effect_.addRef();
}

// A host that releases the view without removed() still gets its window back.
OverdriveView::~OverdriveView() {
  if (window_.isOpen()) removed();
  setFrame(nullptr);
  effect_.release();
}

v3_result OverdriveView::queryInterface(const uint8_t* iid, void** object) {
  if (!object) return V3_INVALID_ARG;
  *object = nullptr;
  if (!iid) return V3_NO_INTERFACE;
  Face<OverdriveView>* face = nullptr;
  if (v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, v3_plugin_view_iid)) {
    face = &view_;
#ifndef _WIN32
  } else if (v3_tuid_match(iid, v3_plugin_view_content_scale_iid)) {
    face = &scale_;
  } else if (v3_tuid_match(iid, v3_timer_handler_iid)) {
    face = &timer_;
  } else if (v3_tuid_match(iid, v3_event_handler_iid)) {
    face = &events_;
#endif
  }
  if (!face) return V3_NO_INTERFACE;
  *object = face;
  addRef();
  return V3_OK;
}

uint32_t OverdriveView::addRef() { return references_.fetch_add(1, std::memory_order_relaxed) + 1; }

uint32_t OverdriveView::release() {
  const uint32_t left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (left == 0) delete this;
  return left;
}

// The window takes its keys and wheel from the platform itself.
v3_result OverdriveView::onWheel(float) { return V3_FALSE; }
v3_result OverdriveView::onKeyDown(int16_t, int16_t, int16_t) { return V3_FALSE; }
v3_result OverdriveView::onKeyUp(int16_t, int16_t, int16_t) { return V3_FALSE; }
v3_result OverdriveView::onSize(v3_view_rect*) { return V3_OK; }
v3_result OverdriveView::onFocus(v3_bool) { return V3_OK; }
v3_result OverdriveView::canResize() { return V3_FALSE; }

v3_result OverdriveView::getSize(v3_view_rect* rect) {
  if (!rect) return V3_INVALID_ARG;
  windowSize(givenWidth_, givenHeight_);
  *rect = {0, 0, givenWidth_, givenHeight_};
  return V3_OK;
}

v3_result OverdriveView::checkSizeConstraint(v3_view_rect* rect) {
  if (!rect) return V3_INVALID_ARG;
  int32_t width = 0, height = 0;
  windowSize(width, height);
  rect->right = rect->left + width;
  rect->bottom = rect->top + height;
  return V3_OK;
}

v3_result OverdriveView::setFrame(v3_plugin_frame** frame) {
  if (frame) addRefOf(frame);
  if (frame_) releaseOf(frame_);
  frame_ = frame;
  return V3_OK;
}

void OverdriveView::fitFrame() {
  int32_t width = 0, height = 0;
  windowSize(width, height);
  if (width == givenWidth_ && height == givenHeight_) return;
  givenWidth_ = width;
  givenHeight_ = height;
  v3_view_rect rect{0, 0, width, height};
  if (frame_) {
    tableOf<v3_plugin_frame_cpp>(frame_).frame.resize_view(
        frame_, interfaceOf<v3_plugin_view>(view_), &rect);
  }
}
