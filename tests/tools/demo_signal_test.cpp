// The demo riff: the same samples every time, stereo, a few seconds, plucks that decay.
#include "tools/render/demo_signal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The largest magnitude of the left channel in [from, to) seconds.
float leftPeak(const std::vector<float>& riff, double from, double to) {
  float peak = 0.0f;
  for (size_t f = static_cast<size_t>(from * kDemoSampleRate);
       f < static_cast<size_t>(to * kDemoSampleRate); ++f) {
    peak = std::max(peak, std::fabs(riff[2 * f]));
  }
  return peak;
}

TEST(DemoSignal, DeterministicStereoOfAFewSecondsNormalized) {
  const std::vector<float> riff = synthesizeDemoRiff();
  EXPECT_EQ(riff, synthesizeDemoRiff());
  const size_t frames = riff.size() / kDemoChannels;
  EXPECT_GE(frames, 4u * kDemoSampleRate);
  EXPECT_LE(frames, 10u * kDemoSampleRate);
  float peak = 0.0f;
  bool channelsDiffer = false;
  for (size_t f = 0; f < frames; ++f) {
    ASSERT_TRUE(std::isfinite(riff[2 * f]) && std::isfinite(riff[2 * f + 1]));
    peak = std::max({peak, std::fabs(riff[2 * f]), std::fabs(riff[2 * f + 1])});
    channelsDiffer |= riff[2 * f] != riff[2 * f + 1];
  }
  EXPECT_NEAR(peak, kDemoPeak, 1e-6);
  EXPECT_TRUE(channelsDiffer) << "the strings are panned";
}

TEST(DemoSignal, NotesStartOnTheBeatAndTheLastChordDiesAway) {
  const std::vector<float> riff = synthesizeDemoRiff();
  const double seconds = riff.size() / kDemoChannels / double(kDemoSampleRate);
  // Every eighth note of the first two bars begins with a pluck.
  for (int beat = 0; beat < 16; ++beat) {
    EXPECT_GT(leftPeak(riff, beat * 0.25, beat * 0.25 + 0.02), 0.05f) << "beat " << beat;
  }
  EXPECT_GT(leftPeak(riff, 4.0, 4.5), 100 * leftPeak(riff, seconds - 0.25, seconds));
}

}  // namespace
