// The host callback every program here hands to a plug-in's entry.
#pragma once

#include <cstdint>

#include "vst2/aeffect.h"

// The interface version this host claims: 2.4.
constexpr intptr_t kHostVersion = 2400;

// Answers the version query with `version` and 0 to every other request (automation is
// accepted and ignored). It keeps no state, so any instance on any thread may call it.
// `answeringHost<0>` is a host that a plug-in must refuse.
template <intptr_t version = kHostVersion>
intptr_t VSTCALL answeringHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  return opcode == audioMasterVersion ? version : 0;
}
