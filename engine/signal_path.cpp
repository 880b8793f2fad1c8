// The per-sample chain of both channels: tone filter, drive, split filter, shaper, gain and
// clamp, two post-filter stages. Every state is a float; arithmetic within a step is double,
// rounded once where it is stored. Some steps read the stored value, others the unrounded one.
// Left and right run the same operations on separate states, so they run as the two lanes of
// one vector (engine/lane_pair.h); the shared smoothers run alike in both lanes.
//
// The chain runs as a pipeline of four stages (engine/pipeline_schedule.h), with a frame in each
// at once: while one frame's tone filter runs, the frame before it is in the split filter, the
// one before that in the shaper and the one before that in the output stage. Within a frame each
// stage waits for the previous stage's chain of roundings; across frames the stages are
// independent, so every stage finds its input computed an iteration ago and the processor
// overlaps them. Each frame still passes every step in order, with its own smoothed values, so
// the results are the same bits.
#include <utility>

#include "engine/block_edges.h"
#include "engine/chain_constants.h"
#include "engine/channel_pair.h"
#include "engine/float_environment.h"
#include "engine/frame_coefficients.h"
#include "engine/overdrive_engine.h"
#include "engine/pipeline_schedule.h"
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

// Tone filter, then drive: the split filter's input.
inline LanePair toneStage(ChannelPair& channels, LanePair input,
                          const Smoothers::Controls& controls) {
  // A NaN or infinite input would poison the filters for good; it counts as silence.
  const LanePair x = finiteOrZero(input);

  const LanePair toneLow = controls.toneFreq * channels.toneBand + channels.toneLow;
  const LanePair toneHigh = (x - toneLow) - channels.toneBand;
  channels.toneBand = storedAsFloat(controls.toneFreq * toneHigh + channels.toneBand);
  channels.toneLow = storedAsFloat(toneLow);
  channels.toneHigh = storedAsFloat(toneHigh);
  return ((channels.toneHigh + channels.toneLow) * controls.bandMix + channels.toneBand) *
         controls.drive;
}

// Split filter: the three bands' table offsets.
inline void splitStage(ChannelPair& channels, LanePair driven, ShaperOffsets& offsets) {
  const LanePair split = pairOf(kSplitCoefficient);
  const LanePair splitLow = channels.splitBand * split + channels.splitLow;
  const LanePair splitHigh = (driven - splitLow) - channels.splitBand;
  channels.splitBand = storedAsFloat(splitHigh * split + channels.splitBand);
  channels.splitLow = storedAsFloat(splitLow);
  channels.splitHigh = storedAsFloat(splitHigh);

  storeLanes(shaperOffsets(channels.splitLow), offsets.low);
  storeLanes(shaperOffsets(channels.splitHigh), offsets.high);
  storeLanes(shaperOffsets(channels.splitBand), offsets.band);
}

// The shaper's sum for one lane, as the one-channel chain adds it: low + (high + band).
inline double shapedLane(const float* table, const ShaperOffsets& offsets, int lane) {
  return shaperEntry(table, offsets.low.lanes[lane]) +
         (shaperEntry(table, offsets.high.lanes[lane]) +
          shaperEntry(table, offsets.band.lanes[lane]));
}

inline LanePair shaperStage(const float* table, const ShaperOffsets& offsets) {
  return pairOf(shapedLane(table, offsets, 0), shapedLane(table, offsets, 1));
}

// Gain, clamp and both post-filter stages.
inline FrameResult outputStage(ChannelPair& channels, LanePair shaped, LanePair gain,
                               const FrameCoefficients& coefficients) {
  const LanePair y = clampPair(shaped * gain, pairOf(-kOutputBound), pairOf(kOutputBound));

  const LanePair post1 =
      y * coefficients.postInputWeight + channels.post1 * coefficients.postFeedback;
  const LanePair post2 =
      post1 * coefficients.postInputWeight + coefficients.postFeedback * channels.post2;
  channels.post1 = storedAsFloat(post1);
  const __m128 stored = _mm_cvtpd_ps(post2);
  channels.post2 = _mm_cvtps_pd(stored);
  return {post2, stored};
}

}  // namespace

template <bool accumulate>
void OverdriveEngine::processBlock(float** inputs, float** outputs, int32_t sampleFrames) {
  beginBlock(*this);
  // With no frames to process the buffer arrays are not read: a host may pass null for them.
  if (sampleFrames > 0)
    processFrames<accumulate>(inputs, outputs, sampleFrames);
  else
    peakLevel.store(0.0f, std::memory_order_relaxed);
  endBlock(*this);
}

template <bool accumulate>
void OverdriveEngine::processFrames(float** inputs, float** outputs, int32_t sampleFrames) {
  const float* table = shaperTable;
  const float* inLeft = inputs[0];
  const float* inRight = inputs[1];
  float* outLeft = outputs[0];
  float* outRight = outputs[1];
  ChannelPair channels(left, right);
  Smoothers smoothers(*this);
  // The largest stored final value so far in each lane; the meter is their maximum. A final
  // value raises the meter exactly when its rounded value does, so this is the same meter.
  LanePair peak = _mm_setzero_pd();
  // The coefficients are read afresh every iteration: a parameter set from another thread
  // takes effect within the block, and the smoothers absorb it. Each read serves the frame
  // entering the tone stage and the frame entering the output stage.
  CoefficientBits seen = CoefficientBits::load(*this);
  FrameCoefficients coefficients(seen);
  // Smoothers that have settled on their feeds (which a held setting reaches within about a
  // second and a half) give the same values every frame, so they step only until then or after
  // a feed changes.
  Smoothers::Controls controls;
  bool settled = smoothers.settledOn(coefficients, controls);

  // What each stage hands to the next, an iteration later. The stages run in a frame's order,
  // so each one's result is kept apart until the iteration ends: the split stage fills one set
  // of offsets while the shaper reads the other.
  LanePair driven = _mm_setzero_pd(), shaped = _mm_setzero_pd();
  ShaperOffsets offsets[2];
  ShaperOffsets* splitOffsets = &offsets[0];
  ShaperOffsets* shaperOffsetsIn = &offsets[1];

  const PipelineSchedule schedule(sampleFrames);
  // With everyStageBusy (between fill and drain) no stage tests the schedule; a constant at
  // each call, so each loop below gets its own copy without the tests it does not need.
  auto iteration = [&](int32_t i, bool everyStageBusy) __attribute__((always_inline)) {
    auto busy = [&](PipelineStage stage) { return everyStageBusy || schedule.busy(stage, i); };
    const CoefficientBits now = CoefficientBits::load(*this);
    if (__builtin_expect(now.differsFrom(seen), 0)) {
      seen = now;
      coefficients = FrameCoefficients(now);
      settled = false;
    }
    LanePair nextDriven = driven;
    if (busy(kToneStage)) {
      if (!settled) controls = smoothers.stepControls(coefficients);
      // A frame's inputs are read before its outputs are written, which happens later still,
      // so a channel's output may be its own input buffer.
      const int32_t frame = PipelineSchedule::frameOf(kToneStage, i);
      nextDriven = toneStage(channels, widen(inLeft[frame], inRight[frame]), controls);
    }
    if (busy(kSplitStage)) splitStage(channels, driven, *splitOffsets);
    LanePair nextShaped = shaped;
    if (busy(kShaperStage)) nextShaped = shaperStage(table, *shaperOffsetsIn);
    if (busy(kOutputStage)) {
      const int32_t frame = PipelineSchedule::frameOf(kOutputStage, i);
      const LanePair gain = settled ? smoothers.gain : smoothers.stepGain(coefficients);
      const FrameResult result = outputStage(channels, shaped, gain, coefficients);
      peak = _mm_max_pd(channels.post2, peak);  // NaN never raises the meter
      if (accumulate) {
        // Left sum stored before the right output is read: with one buffer for both outputs
        // the frame gets both results added, as a frame-by-frame chain adds them.
        outLeft[frame] = static_cast<float>(outLeft[frame] + leftOf(result.unrounded));
        outRight[frame] = static_cast<float>(outRight[frame] + rightOf(result.unrounded));
      } else {
        outLeft[frame] = leftOf(result.stored);
        outRight[frame] = rightOf(result.stored);
      }
    }
    driven = nextDriven;
    shaped = nextShaped;
    std::swap(splitOffsets, shaperOffsetsIn);
  };
  int32_t i = 0;
  for (; i < schedule.fillEnd(); ++i) iteration(i, false);
  for (; i < schedule.drainBegin(); ++i) iteration(i, true);
  for (; i < schedule.iterations(); ++i) iteration(i, false);

  channels.storeTo(left, right);
  smoothers.storeTo(*this);
  // Neither lane is NaN: the larger of the two, computed in the vector unit like the rest.
  peakLevel.store(static_cast<float>(leftOf(_mm_max_sd(peak, _mm_unpackhi_pd(peak, peak)))),
                  std::memory_order_relaxed);
}

// A negative frame count processes nothing, like 0. One buffer for both outputs: the
// accumulating entry adds both channels' results to it, the replacing entry leaves the right
// channel's.
void OverdriveEngine::processAccumulating(float** inputs, float** outputs, int32_t sampleFrames) {
  const VectorUnitDefaults defaults;
  processBlock<true>(inputs, outputs, sampleFrames);
}

void OverdriveEngine::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
  const VectorUnitDefaults defaults;
  processBlock<false>(inputs, outputs, sampleFrames);
}
