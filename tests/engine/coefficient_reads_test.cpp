// Coefficients stored while a block runs take effect from the next frame of that block: the
// signal path reads them every frame, also when it skips widening unchanged ones. A trap on the
// left output of one frame changes one coefficient exactly between two frames; the result must
// equal two blocks split there with the change between them.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "plugin_fixture.h"
#include "support/write_trap.h"

namespace {

constexpr size_t kFrames = 96;
constexpr size_t kChangedAfter = 40;  // the trap springs on this frame's left output

struct CoefficientChange {
  const char* name;
  std::function<void(OverdriveEffect&)> apply;
};

void setPostFilter(OverdriveEffect& e, float feedback, float weight) {
  e.postFilterCoefficients.store({feedback, weight});
}

const std::vector<CoefficientChange>& changes() {
  static const std::vector<CoefficientChange> list = {
      {"driveFeed", [](OverdriveEffect& e) { e.driveFeed *= 3.0f; }},
      {"bandMixFeed", [](OverdriveEffect& e) { e.bandMixFeed = -0.01f; }},
      {"gainFeed", [](OverdriveEffect& e) { e.gainFeed *= 2.0f; }},
      {"left toneFreqFeed", [](OverdriveEffect& e) { e.left.toneFreqFeed *= 4.0f; }},
      {"right toneFreqFeed", [](OverdriveEffect& e) { e.right.toneFreqFeed *= 4.0f; }},
      {"postFeedback",
       [](OverdriveEffect& e) {
         setPostFilter(e, 0.5f, e.postFilterCoefficients.load().postInputWeight);
       }},
      {"postInputWeight",
       [](OverdriveEffect& e) {
         setPostFilter(e, e.postFilterCoefficients.load().postFeedback, 0.25f);
       }},
  };
  return list;
}

// Noise in [-0.5, 0.5) from a fixed seed, different per channel.
StereoBuffer noise(size_t frames) {
  StereoBuffer in(frames);
  uint32_t state = 12345u;
  auto next = [&] {
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(state >> 8) / 16777216.0f - 0.5f;
  };
  for (size_t i = 0; i < frames; ++i) {
    in.left[i] = next();
    in.right[i] = next();
  }
  return in;
}

class CoefficientReads : public PluginTest {
 protected:
  // A second instance in the same program, for the two-block reference.
  void SetUp() override {
    PluginTest::SetUp();
    reference = pluginMain(RecordingHost::callback);
    ASSERT_NE(reference, nullptr);
    for (AEffect* r : {record, reference}) r->dispatcher(r, effSetProgram, 0, 2, nullptr, 0.0f);
  }
  void TearDown() override {
    if (reference) reference->dispatcher(reference, effClose, 0, 0, nullptr, 0.0f);
    PluginTest::TearDown();
  }
  OverdriveEffect& referenceEffect() { return *static_cast<OverdriveEffect*>(effectOf(reference)); }

  // The reference: frames up to and including kChangedAfter, the change (if any), the rest.
  StereoBuffer splitBlocks(StereoBuffer& in, const CoefficientChange* change) {
    StereoBuffer out(kFrames);
    const int32_t first = static_cast<int32_t>(kChangedAfter + 1);
    float* inputs[2] = {in.left.data(), in.right.data()};
    float* outputs[2] = {out.left.data(), out.right.data()};
    reference->processReplacing(reference, inputs, outputs, first);
    if (change) change->apply(referenceEffect());
    float* laterIn[2] = {inputs[0] + first, inputs[1] + first};
    float* laterOut[2] = {outputs[0] + first, outputs[1] + first};
    reference->processReplacing(reference, laterIn, laterOut,
                                static_cast<int32_t>(kFrames) - first);
    return out;
  }

  // Plays both instances long enough for their smoothers to settle on the program's feeds,
  // after which the signal path stops stepping them until a feed changes.
  void settleBoth() {
    StereoBuffer in = noise(4096), out(4096);
    for (int block = 0; block < 25; ++block) {
      for (AEffect* r : {record, reference})
        r->processReplacing(r, in.channels(), out.channels(), 4096);
    }
  }

  AEffect* reference = nullptr;
};

TEST_F(CoefficientReads, AChangeWithinABlockTakesEffectFromTheNextFrame) {
  for (const bool settled : {false, true}) {
    for (const CoefficientChange& change : changes()) {
      SCOPED_TRACE(std::string(change.name) + (settled ? ", smoothers settled" : ", gliding"));
      TearDown();
      SetUp();
      if (settled) settleBoth();
      StereoBuffer in = noise(kFrames);
      const StereoBuffer expected = splitBlocks(in, &change);

      WriteTrap trap(kChangedAfter, kFrames - kChangedAfter, [&] { change.apply(*effect); });
      std::vector<float> right(kFrames);
      float* outputs[2] = {trap.data(), right.data()};
      record->processReplacing(record, in.channels(), outputs, static_cast<int32_t>(kFrames));
      ASSERT_TRUE(trap.sprung());
      EXPECT_EQ(std::vector<float>(trap.data(), trap.data() + kFrames), expected.left);
      EXPECT_EQ(right, expected.right);

      // The same two blocks without the change sound different, so the comparison above shows
      // when the change took effect.
      TearDown();
      SetUp();
      if (settled) settleBoth();
      const StereoBuffer unchanged = splitBlocks(in, nullptr);
      EXPECT_TRUE(expected.left != unchanged.left || expected.right != unchanged.right);
    }
  }
}

}  // namespace
