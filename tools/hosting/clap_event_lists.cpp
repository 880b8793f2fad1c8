#include "tools/hosting/clap_event_lists.h"

#include <algorithm>

#include "clap/core_events.h"

ClapInputEvents::ClapInputEvents() {
  list_.ctx = this;
  list_.size = [](const clap_input_events_t* list) {
    return static_cast<uint32_t>(static_cast<ClapInputEvents*>(list->ctx)->events_.size());
  };
  list_.get = [](const clap_input_events_t* list, uint32_t index) -> const clap_event_header_t* {
    const auto& events = static_cast<ClapInputEvents*>(list->ctx)->events_;
    return index < events.size() ? &events[index].header : nullptr;
  };
}

void ClapInputEvents::addValue(clap_id id, double value, uint32_t frame) {
  events_.push_back(clapValueEvent(id, value, frame));
}

void ClapInputEvents::sortByTime() {
  std::stable_sort(events_.begin(), events_.end(),
                   [](const clap_event_param_value_t& a, const clap_event_param_value_t& b) {
                     return a.header.time < b.header.time;
                   });
}

ClapOutputEvents::ClapOutputEvents() {
  list_.ctx = this;
  list_.try_push = [](const clap_output_events_t* list, const clap_event_header_t* event) {
    auto& events = static_cast<ClapOutputEvents*>(list->ctx)->events_;
    if (!event || event->space_id != CLAP_CORE_EVENT_SPACE_ID) return true;
    if (event->type == CLAP_EVENT_PARAM_VALUE && event->size >= sizeof(clap_event_param_value_t)) {
      const auto* value = reinterpret_cast<const clap_event_param_value_t*>(event);
      events.push_back({event->type, value->param_id, value->value, event->time});
    } else if ((event->type == CLAP_EVENT_PARAM_GESTURE_BEGIN ||
                event->type == CLAP_EVENT_PARAM_GESTURE_END) &&
               event->size >= sizeof(clap_event_param_gesture_t)) {
      const auto* gesture = reinterpret_cast<const clap_event_param_gesture_t*>(event);
      events.push_back({event->type, gesture->param_id, 0.0, event->time});
    }
    return true;
  };
}
