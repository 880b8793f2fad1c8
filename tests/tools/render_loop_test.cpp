// The block loop: every frame once, in blocks no larger than asked, with peaks and progress.
#include "tools/render/render_loop.h"

#include <gtest/gtest.h>

namespace {

// Halves a stereo input into mono and records the block sizes it was given.
class MixToMono : public BlockProcessor {
 public:
  int outputChannels() const override { return 1; }
  void process(const float* input, float* output, int32_t frames) override {
    blocks.push_back(frames);
    for (int32_t f = 0; f < frames; ++f) output[f] = 0.5f * (input[2 * f] + input[2 * f + 1]);
  }
  std::vector<int32_t> blocks;
};

class CollectingSink : public FrameSink {
 public:
  void write(const float* interleaved, int64_t count) override {
    samples.insert(samples.end(), interleaved, interleaved + count);
  }
  std::vector<float> samples;
};

TEST(RenderLoop, EveryFrameOnceInBlocksWithPeaksAndProgress) {
  std::vector<float> stereo;
  for (int f = 0; f < 10; ++f) {
    stereo.push_back(0.1f * f);
    stereo.push_back(f == 7 ? -1.5f : 0.0f);
  }
  BufferSource source(stereo, 2, 48000);
  MixToMono mix;
  CollectingSink sink;
  std::vector<int64_t> progress;
  const RenderStats stats =
      renderFrames(source, mix, sink, 4, [&](int64_t done) { progress.push_back(done); });
  EXPECT_EQ(mix.blocks, (std::vector<int32_t>{4, 4, 2}));
  EXPECT_EQ(progress, (std::vector<int64_t>{4, 8, 10}));
  ASSERT_EQ(sink.samples.size(), 10u);
  for (int f = 0; f < 10; ++f) {
    EXPECT_EQ(sink.samples[f], 0.5f * (stereo[2 * f] + stereo[2 * f + 1])) << f;
  }
  EXPECT_EQ(stats.frames, 10);
  EXPECT_EQ(stats.inputPeak, 1.5f);
  EXPECT_EQ(stats.outputPeak, 0.5f * (0.1f * 9));
}

}  // namespace
