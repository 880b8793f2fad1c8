#include "engine/block_edges.h"

#include <cmath>
#include <initializer_list>

namespace {

// Zeroes exactly the floats of magnitude at most 2^-24, denormals included.
constexpr double kFlushThreshold = 5.960464832810452e-8;

// A state too small to matter is zeroed. A state that is not finite (out-of-range parameters
// can make a filter blow up) is reset too, so that it cannot lock the channel.
void flush(float& state) {
  const double v = state;
  if (!std::isfinite(v) || (v < kFlushThreshold && v > -kFlushThreshold)) state = 0.0f;
}

// A smoothed value that is not finite (its parameter was NaN, infinite or too large) goes back
// to where it started, so that it cannot hold the sound once the parameter is in range again.
void recover(float& smoothed, float start) {
  if (!std::isfinite(smoothed)) smoothed = start;
}

}  // namespace

void beginBlock(OverdriveEngine& engine) {
  recover(engine.drive, 1.0f);
  recover(engine.bandMix, 1.0f);
  recover(engine.gain, 1.0f);
  for (ChannelState* channel : {&engine.left, &engine.right}) {
    recover(channel->toneFreq, 0.0f);
    for (float* state : {&channel->toneLow, &channel->toneHigh, &channel->toneBand,
                         &channel->splitLow, &channel->splitHigh, &channel->splitBand}) {
      flush(*state);
    }
  }
}

void endBlock(OverdriveEngine& engine) {
  for (ChannelState* channel : {&engine.left, &engine.right}) {
    flush(channel->post1);
    flush(channel->post2);
  }
}
