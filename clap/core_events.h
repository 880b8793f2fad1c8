// CLAP core events as both sides of the interface build them: the plug-in for the changes it
// reports, the project's own host side for the changes it sends.
#pragma once

#include <cstdint>
#include <cstring>

#include "clap/events.h"

template <typename Event>
Event clapCoreEvent(uint16_t type, uint32_t time) {
  Event event;
  std::memset(&event, 0, sizeof event);
  event.header = {static_cast<uint32_t>(sizeof event), time, CLAP_CORE_EVENT_SPACE_ID, type, 0};
  return event;
}

// A parameter's new value, for every note, port, channel and key.
inline clap_event_param_value_t clapValueEvent(clap_id id, double value, uint32_t time) {
  auto event = clapCoreEvent<clap_event_param_value_t>(CLAP_EVENT_PARAM_VALUE, time);
  event.param_id = id;
  event.note_id = -1;
  event.port_index = -1;
  event.channel = -1;
  event.key = -1;
  event.value = value;
  return event;
}
