// The per-sample chain of both channels: tone filter, drive, split filter, shaper, gain and
// clamp, two post-filter stages. Every state is a float; arithmetic within a step is double,
// rounded once where it is stored. Some steps read the stored value, others the unrounded one.
// Left and right run the same operations on separate states, so they run as the two lanes of
// one vector (engine/lane_pair.h); the shared smoothers run alike in both lanes.
#include <cmath>

#include "engine/block_edges.h"
#include "engine/chain_constants.h"
#include "engine/channel_pair.h"
#include "engine/frame_coefficients.h"
#include "engine/overdrive_effect.h"
#include "engine/shaper_table.h"
#include "engine/smoothers.h"

namespace {

// The shaper's table offsets of one frame, per band and lane.
struct ShaperOffsets {
  IntPair low, high, band;
};

// A frame's final values: unrounded, and as stored.
struct FrameResult {
  LanePair unrounded;
  __m128 stored;
};

// The shaper's sum for one lane, as the one-channel chain adds it: low + (high + band).
double shapedLane(const float* table, const ShaperOffsets& t, int lane) {
  return shaperEntry(table, t.low.lanes[lane]) +
         (shaperEntry(table, t.high.lanes[lane]) + shaperEntry(table, t.band.lanes[lane]));
}

// One frame of both channels.
inline FrameResult runFrame(ChannelPair& s, ShaperOffsets& offsets, const float* table,
                            LanePair input, const Smoothers::Values& v,
                            const FrameCoefficients& k) {
  // A NaN or infinite input would poison the filters for good; it counts as silence.
  const LanePair x = finiteOrZero(input);

  const LanePair toneLow = v.toneFreq * s.toneBand + s.toneLow;
  const LanePair toneHigh = (x - toneLow) - s.toneBand;
  s.toneBand = storedAsFloat(v.toneFreq * toneHigh + s.toneBand);
  s.toneLow = storedAsFloat(toneLow);
  s.toneHigh = storedAsFloat(toneHigh);

  const LanePair split = pairOf(kSplitCoefficient);
  const LanePair splitLow = s.splitBand * split + s.splitLow;
  const LanePair driven = ((s.toneHigh + s.toneLow) * v.bandMix + s.toneBand) * v.drive;
  const LanePair splitHigh = (driven - splitLow) - s.splitBand;
  s.splitBand = storedAsFloat(splitHigh * split + s.splitBand);
  s.splitLow = storedAsFloat(splitLow);
  s.splitHigh = storedAsFloat(splitHigh);

  storeLanes(shaperOffsets(s.splitLow), offsets.low);
  storeLanes(shaperOffsets(s.splitHigh), offsets.high);
  storeLanes(shaperOffsets(s.splitBand), offsets.band);
  const LanePair shaped = pairOf(shapedLane(table, offsets, 0), shapedLane(table, offsets, 1));
  const LanePair y = clampPair(shaped * v.gain, pairOf(-kOutputBound), pairOf(kOutputBound));

  const LanePair post1 = y * k.postInputWeight + s.post1 * k.postFeedback;
  const LanePair post2 = post1 * k.postInputWeight + k.postFeedback * s.post2;
  s.post1 = storedAsFloat(post1);
  const __m128 stored = _mm_cvtpd_ps(post2);
  s.post2 = _mm_cvtps_pd(stored);
  return {post2, stored};
}

}  // namespace

template <bool accumulate>
void OverdriveEffect::processBlock(float** inputs, float** outputs, int32_t sampleFrames) {
  beginBlock(*this);

  const float* table = shaperTable;
  const float* inLeft = inputs[0];
  const float* inRight = inputs[1];
  float* outLeft = outputs[0];
  float* outRight = outputs[1];
  ChannelPair s(left, right);
  Smoothers smoothers(*this);
  ShaperOffsets offsets;
  // The largest stored final value so far in each lane; the meter is their maximum. A final
  // value raises the meter exactly when its rounded value does, so this is the same meter.
  LanePair peak = _mm_setzero_pd();
  // The coefficients are read afresh every frame: a parameter set from another thread takes
  // effect within the block, and the smoothers absorb it.
  CoefficientBits seen = CoefficientBits::load(*this);
  FrameCoefficients coefficients(seen);
  // Smoothers that have settled on their feeds (which a held setting reaches within about a
  // second and a half) give the same values every frame, so they step only until then or after
  // a feed changes.
  Smoothers::Values values;
  bool settled = smoothers.settledOn(coefficients, values);
  for (int32_t i = 0; i < sampleFrames; ++i) {
    const CoefficientBits now = CoefficientBits::load(*this);
    if (__builtin_expect(now.differsFrom(seen), 0)) {
      seen = now;
      coefficients = FrameCoefficients(now);
      settled = false;
    }
    if (!settled) values = smoothers.step(coefficients);
    // Both input samples of a frame are read before its output samples are written, so a
    // channel's output may be its own input buffer.
    const LanePair input = widen(inLeft[i], inRight[i]);
    const FrameResult result = runFrame(s, offsets, table, input, values, coefficients);
    peak = _mm_max_pd(s.post2, peak);  // NaN never raises the meter
    const __m128 out = accumulate ? _mm_cvtpd_ps(widen(outLeft[i], outRight[i]) + result.unrounded)
                                  : result.stored;
    outLeft[i] = leftOf(out);
    outRight[i] = rightOf(out);
  }

  s.storeTo(left, right);
  smoothers.storeTo(*this);
  peakLevel = static_cast<float>(std::fmax(leftOf(peak), rightOf(peak)));
  endBlock(*this);
}

// A negative frame count is outside the host's contract and processes nothing, like 0.
void OverdriveEffect::process(float** inputs, float** outputs, int32_t sampleFrames) {
  processBlock<true>(inputs, outputs, sampleFrames);
}

void OverdriveEffect::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
  processBlock<false>(inputs, outputs, sampleFrames);
}
