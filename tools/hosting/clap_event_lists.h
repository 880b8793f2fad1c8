// A host's two CLAP event lists over plain vectors: parameter values going to the plug-in, and
// what the plug-in reports back (values and gestures) during a process or flush.
#pragma once

#include <cstdint>
#include <vector>

#include "clap/events.h"

class ClapInputEvents {
 public:
  ClapInputEvents();
  ClapInputEvents(const ClapInputEvents&) = delete;
  ClapInputEvents& operator=(const ClapInputEvents&) = delete;

  const clap_input_events_t* list() const { return &list_; }
  // A parameter's plain value at `frame` of the next block, in the order added.
  void addValue(clap_id id, double value, uint32_t frame);
  // In time order, as CLAP asks of a host; equal times keep their order.
  void sortByTime();
  void clear() { events_.clear(); }

 private:
  clap_input_events_t list_;
  std::vector<clap_event_param_value_t> events_;
};

struct ReportedEvent {
  uint16_t type;  // CLAP_EVENT_PARAM_VALUE, _GESTURE_BEGIN or _GESTURE_END
  clap_id id;
  double value;  // values only
  uint32_t time;
};

class ClapOutputEvents {
 public:
  ClapOutputEvents();
  ClapOutputEvents(const ClapOutputEvents&) = delete;
  ClapOutputEvents& operator=(const ClapOutputEvents&) = delete;

  const clap_output_events_t* list() const { return &list_; }
  // Parameter values and gestures in the order pushed; other events are taken and not kept.
  const std::vector<ReportedEvent>& events() const { return events_; }
  void clear() { events_.clear(); }

 private:
  clap_output_events_t list_;
  std::vector<ReportedEvent> events_;
};
