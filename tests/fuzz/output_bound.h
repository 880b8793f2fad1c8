// When a block's output must stay within kFinalValueBound, whatever the other parameters and the
// input: while the post filter is stable (its parameter within 0 to 1) and its states start
// within full scale.
#pragma once

#include <cmath>

#include "engine/engine_probe.h"
#include "engine/overdrive_engine.h"

inline bool outputBoundHolds(const OverdriveEngine& engine) {
  const float postFilter = engine.parameter(kPostFilter);
  if (!(postFilter >= 0.0f && postFilter <= 1.0f)) return false;
  const EngineSnapshot state = EngineProbe::snapshot(engine);
  for (const ChannelSnapshot* c : {&state.left, &state.right})
    if (!(std::fabs(c->post1) <= 1.0f && std::fabs(c->post2) <= 1.0f)) return false;
  return true;
}
