// The per-sample chain of both channels: tone filter, drive, split filter, shaper, gain and
// clamp, two post-filter stages. Every state is a float; arithmetic within a step is double,
// rounded once where it is stored. Some steps read the stored value, others the unrounded one.
// Left and right run the same operations on separate states, so they run as the two lanes of
// one vector (engine/lane_pair.h); the shared smoothers run as scalars beside them.
#include <cmath>

#include "engine/channel_pair.h"
#include "engine/overdrive_effect.h"
#include "engine/shaper_table.h"

namespace {

constexpr double kSmoothing = 0.99975f;  // single-precision constant widened
constexpr double kSplitCoefficient = 0.25;
constexpr double kOutputBound = 0.99995f;
// Zeroes exactly the floats of magnitude at most 2^-24, denormals included.
constexpr double kFlushThreshold = 5.960464832810452e-8;

// A state too small to matter is flushed at block edges, never per frame. A state that is not
// finite (out-of-range parameters can make a filter blow up) is reset, so it cannot lock the
// channel.
void flush(float& state) {
  const double v = state;
  if (!std::isfinite(v) || (v < kFlushThreshold && v > -kFlushThreshold)) state = 0.0f;
}

void flushFilters(ChannelState& c) {
  flush(c.toneLow);
  flush(c.toneHigh);
  flush(c.toneBand);
  flush(c.splitLow);
  flush(c.splitHigh);
  flush(c.splitBand);
}

void flushPost(ChannelState& c) {
  flush(c.post1);
  flush(c.post2);
}

// A coefficient as another thread may have just stored it: read from memory every frame.
float fresh(const float& field) { return *static_cast<const volatile float*>(&field); }

// The values of this frame that both channels share, in both lanes.
struct FrameControls {
  LanePair drive;    // unrounded smoother result
  LanePair bandMix;  // unrounded smoother result
  LanePair gain;     // the stored value
  LanePair toneFreqFeed;
  LanePair postFeedback;
  LanePair postInputWeight;
};

// One frame of both channels; answers the final values, unrounded.
inline LanePair runFrame(ChannelPair& s, const float* table, LanePair input,
                         const FrameControls& k) {
  // A NaN or infinite input would poison the filters for good; it counts as silence.
  const LanePair x = finiteOrZero(input);

  s.toneFreq = storedAsFloat(s.toneFreq * pairOf(kSmoothing) + k.toneFreqFeed);
  const LanePair toneLow = s.toneFreq * s.toneBand + s.toneLow;
  const LanePair toneHigh = (x - toneLow) - s.toneBand;
  s.toneBand = storedAsFloat(s.toneFreq * toneHigh + s.toneBand);
  s.toneLow = storedAsFloat(toneLow);
  s.toneHigh = storedAsFloat(toneHigh);

  const LanePair split = pairOf(kSplitCoefficient);
  const LanePair splitLow = s.splitBand * split + s.splitLow;
  const LanePair driven = ((s.toneHigh + s.toneLow) * k.bandMix + s.toneBand) * k.drive;
  const LanePair splitHigh = (driven - splitLow) - s.splitBand;
  s.splitBand = storedAsFloat(splitHigh * split + s.splitBand);
  s.splitLow = storedAsFloat(splitLow);
  s.splitHigh = storedAsFloat(splitHigh);

  const LanePair shaped =
      shaperLookupPair(table, s.splitLow) +
      (shaperLookupPair(table, s.splitHigh) + shaperLookupPair(table, s.splitBand));
  const LanePair y = clampPair(shaped * k.gain, pairOf(-kOutputBound), pairOf(kOutputBound));

  const LanePair post1 = y * k.postInputWeight + s.post1 * k.postFeedback;
  const LanePair post2 = post1 * k.postInputWeight + k.postFeedback * s.post2;
  s.post1 = storedAsFloat(post1);
  s.post2 = storedAsFloat(post2);
  return post2;
}

}  // namespace

template <bool accumulate>
void OverdriveEffect::processBlock(float** inputs, float** outputs, int32_t sampleFrames) {
  flushFilters(left);
  flushFilters(right);

  const float* table = shaperTable;
  const float* inLeft = inputs[0];
  const float* inRight = inputs[1];
  float* outLeft = outputs[0];
  float* outRight = outputs[1];
  ChannelPair s(left, right);
  float driveNow = drive, bandMixNow = bandMix, gainNow = gain;
  // The largest stored final value so far in each lane; the meter is their maximum. A final
  // value raises the meter exactly when its rounded value does, so this is the same meter.
  LanePair peak = _mm_setzero_pd();
  // The coefficients are read afresh every frame: a parameter set from another thread takes
  // effect within the block, and the smoothers absorb it.
  for (int32_t i = 0; i < sampleFrames; ++i) {
    const double driveUnrounded = driveNow * kSmoothing + fresh(driveFeed);
    const double bandMixUnrounded = bandMixNow * kSmoothing + fresh(bandMixFeed);
    driveNow = static_cast<float>(driveUnrounded);
    bandMixNow = static_cast<float>(bandMixUnrounded);
    gainNow = static_cast<float>(gainNow * kSmoothing + fresh(gainFeed));
    const FrameControls controls{pairOf(driveUnrounded),
                                 pairOf(bandMixUnrounded),
                                 pairOf(gainNow),
                                 widen(fresh(left.toneFreqFeed), fresh(right.toneFreqFeed)),
                                 pairOf(fresh(postFeedback)),
                                 pairOf(fresh(postInputWeight))};

    // Both input samples of a frame are read before its output samples are written, so a
    // channel's output may be its own input buffer.
    const LanePair final = runFrame(s, table, widen(inLeft[i], inRight[i]), controls);
    peak = _mm_max_pd(s.post2, peak);  // NaN never raises the meter
    const LanePair out = accumulate ? widen(outLeft[i], outRight[i]) + final : final;
    outLeft[i] = static_cast<float>(leftOf(out));
    outRight[i] = static_cast<float>(rightOf(out));
  }

  s.storeTo(left, right);
  drive = driveNow;
  bandMix = bandMixNow;
  gain = gainNow;
  peakLevel = static_cast<float>(std::fmax(leftOf(peak), rightOf(peak)));
  flushPost(left);
  flushPost(right);
}

// A negative frame count is outside the host's contract and processes nothing, like 0.
void OverdriveEffect::process(float** inputs, float** outputs, int32_t sampleFrames) {
  processBlock<true>(inputs, outputs, sampleFrames);
}

void OverdriveEffect::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
  processBlock<false>(inputs, outputs, sampleFrames);
}
