// Both channels' filter states as two-lane values, lane 0 left and lane 1 right, for the
// length of a block. Each lane holds its float state widened to double, so it is exact.
#pragma once

#include "engine/channel_state.h"
#include "engine/lane_pair.h"

struct ChannelPair {
  ChannelPair(const ChannelState& left, const ChannelState& right)
      : toneLow(widen(left.toneLow, right.toneLow)),
        toneBand(widen(left.toneBand, right.toneBand)),
        toneHigh(widen(left.toneHigh, right.toneHigh)),
        splitLow(widen(left.splitLow, right.splitLow)),
        splitBand(widen(left.splitBand, right.splitBand)),
        splitHigh(widen(left.splitHigh, right.splitHigh)),
        post1(widen(left.post1, right.post1)),
        post2(widen(left.post2, right.post2)) {}

  void storeTo(ChannelState& left, ChannelState& right) const {
    auto store = [&](LanePair pair, float ChannelState::*field) {
      left.*field = static_cast<float>(leftOf(pair));
      right.*field = static_cast<float>(rightOf(pair));
    };
    store(toneLow, &ChannelState::toneLow);
    store(toneBand, &ChannelState::toneBand);
    store(toneHigh, &ChannelState::toneHigh);
    store(splitLow, &ChannelState::splitLow);
    store(splitBand, &ChannelState::splitBand);
    store(splitHigh, &ChannelState::splitHigh);
    store(post1, &ChannelState::post1);
    store(post2, &ChannelState::post2);
  }

  LanePair toneLow, toneBand, toneHigh;
  LanePair splitLow, splitBand, splitHigh;
  LanePair post1, post2;
};
