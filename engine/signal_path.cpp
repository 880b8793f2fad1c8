// The per-sample chain of both channels: tone filter, drive, split filter, shaper, gain and
// clamp, two post-filter stages. Every state is a float; arithmetic within a step is double,
// rounded once where it is stored. Some steps read the stored value, others the unrounded one.
#include <cmath>

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

// The values of this frame that both channels share.
struct FrameControls {
  double drive;    // unrounded smoother result
  double bandMix;  // unrounded smoother result
  double gain;     // the stored value
  double postFeedback;
  double postInputWeight;
};

// One channel's frame; returns the final value, unrounded.
double runChannel(ChannelState& c, const float* table, float input, const FrameControls& k) {
  // A NaN or infinite input would poison the filters for good; it counts as silence.
  const double x = std::isfinite(input) ? input : 0.0;

  c.toneFreq = static_cast<float>(c.toneFreq * kSmoothing + c.toneFreqFeed);
  const double f = c.toneFreq;
  const double toneLow = f * c.toneBand + c.toneLow;
  const double toneHigh = (x - toneLow) - c.toneBand;
  c.toneLow = static_cast<float>(toneLow);
  c.toneHigh = static_cast<float>(toneHigh);
  c.toneBand = static_cast<float>(f * toneHigh + c.toneBand);

  const double splitLow = c.splitBand * kSplitCoefficient + c.splitLow;
  c.splitLow = static_cast<float>(splitLow);
  const double driven =
      ((static_cast<double>(c.toneHigh) + c.toneLow) * k.bandMix + c.toneBand) * k.drive;
  const double splitHigh = (driven - splitLow) - c.splitBand;
  c.splitHigh = static_cast<float>(splitHigh);
  c.splitBand = static_cast<float>(splitHigh * kSplitCoefficient + c.splitBand);

  const double shaped = static_cast<double>(shaperLookup(table, c.splitLow)) +
                        (static_cast<double>(shaperLookup(table, c.splitHigh)) +
                         static_cast<double>(shaperLookup(table, c.splitBand)));
  double y = shaped * k.gain;
  if (!(y >= -kOutputBound))
    y = -kOutputBound;
  else if (y > kOutputBound)
    y = kOutputBound;

  const double post1 = y * k.postInputWeight + c.post1 * k.postFeedback;
  c.post1 = static_cast<float>(post1);
  const double post2 = post1 * k.postInputWeight + k.postFeedback * c.post2;
  c.post2 = static_cast<float>(post2);
  return post2;
}

}  // namespace

template <bool accumulate>
void OverdriveEffect::processBlock(float** inputs, float** outputs, int32_t sampleFrames) {
  peakLevel = 0.0f;
  flushFilters(left);
  flushFilters(right);

  const float* table = shaperTable;
  const float* inLeft = inputs[0];
  const float* inRight = inputs[1];
  float* outLeft = outputs[0];
  float* outRight = outputs[1];
  // The coefficients are read afresh every frame: a parameter set from another thread takes
  // effect within the block, and the smoothers absorb it.
  for (int32_t i = 0; i < sampleFrames; ++i) {
    const double driveNow = drive * kSmoothing + driveFeed;
    const double bandMixNow = bandMix * kSmoothing + bandMixFeed;
    drive = static_cast<float>(driveNow);
    bandMix = static_cast<float>(bandMixNow);
    gain = static_cast<float>(gain * kSmoothing + gainFeed);
    const FrameControls controls{driveNow, bandMixNow, gain, postFeedback, postInputWeight};

    // Each channel reads its input before writing its output, so in-place buffers work.
    const double l = runChannel(left, table, inLeft[i], controls);
    if (l > peakLevel) peakLevel = static_cast<float>(l);
    outLeft[i] = accumulate ? static_cast<float>(outLeft[i] + l) : static_cast<float>(l);

    const double r = runChannel(right, table, inRight[i], controls);
    if (r > peakLevel) peakLevel = static_cast<float>(r);
    outRight[i] = accumulate ? static_cast<float>(outRight[i] + r) : static_cast<float>(r);
  }

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
