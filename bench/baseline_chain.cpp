#include "bench/baseline_chain.h"

#include <cmath>

#include "engine/block_edges.h"
#include "engine/chain_constants.h"
#include "engine/engine_probe.h"
#include "engine/shaper_table.h"

namespace {

// One channel's frame with this frame's unrounded drive and band mix; answers the final value.
double channelFrame(EngineSnapshot& e, ChannelSnapshot& c, const float* table, float input,
                    double drive, double bandMix) {
  const double x = std::isfinite(input) ? input : 0.0;  // as the plug-in: not finite is silence
  c.toneFreq = static_cast<float>(c.toneFreq * kSmoothing + c.toneFreqFeed);
  const double toneLow = static_cast<double>(c.toneFreq) * c.toneBand + c.toneLow;
  c.toneLow = static_cast<float>(toneLow);
  const double toneHigh = (x - toneLow) - c.toneBand;
  c.toneHigh = static_cast<float>(toneHigh);
  c.toneBand = static_cast<float>(static_cast<double>(c.toneFreq) * toneHigh + c.toneBand);
  const double splitLow = c.splitBand * kSplitCoefficient + c.splitLow;
  c.splitLow = static_cast<float>(splitLow);
  const double driven =
      ((static_cast<double>(c.toneHigh) + c.toneLow) * bandMix + c.toneBand) * drive;
  const double splitHigh = (driven - splitLow) - c.splitBand;
  c.splitHigh = static_cast<float>(splitHigh);
  c.splitBand = static_cast<float>(splitHigh * kSplitCoefficient + c.splitBand);
  double y = (static_cast<double>(shaperLookup(table, c.splitLow)) +
              (static_cast<double>(shaperLookup(table, c.splitHigh)) +
               static_cast<double>(shaperLookup(table, c.splitBand)))) *
             e.gain;
  if (!(y >= -kOutputBound))
    y = -kOutputBound;
  else if (y > kOutputBound)
    y = kOutputBound;
  const PostFilterCoefficients post = e.postFilter;
  const double post1 = y * post.postInputWeight + static_cast<double>(c.post1) * post.postFeedback;
  c.post1 = static_cast<float>(post1);
  const double post2 =
      post1 * post.postInputWeight + static_cast<double>(post.postFeedback) * c.post2;
  c.post2 = static_cast<float>(post2);
  if (post2 > e.peakLevel) e.peakLevel = static_cast<float>(post2);
  return post2;
}

}  // namespace

void baselineProcessReplacing(OverdriveEngine& engine, float** inputs, float** outputs,
                              int32_t sampleFrames) {
  beginBlock(engine);
  const float* table = EngineProbe::shaperTable(engine);
  EngineSnapshot e = EngineProbe::snapshot(engine);
  e.peakLevel = 0.0f;
  for (int32_t i = 0; i < sampleFrames; ++i) {
    const double drive = e.drive * kSmoothing + e.driveFeed;
    e.drive = static_cast<float>(drive);
    const double bandMix = e.bandMix * kSmoothing + e.bandMixFeed;
    e.bandMix = static_cast<float>(bandMix);
    e.gain = static_cast<float>(e.gain * kSmoothing + e.gainFeed);
    outputs[0][i] =
        static_cast<float>(channelFrame(e, e.left, table, inputs[0][i], drive, bandMix));
    outputs[1][i] =
        static_cast<float>(channelFrame(e, e.right, table, inputs[1][i], drive, bandMix));
  }
  EngineProbe::restore(engine, e);
  endBlock(engine);
}
