// The benchmark's reference chain and the plug-in must do the same work: over long randomized
// sessions they produce the same output bits and leave the same engine state.
#include <cmath>
#include <limits>

#include "bench/baseline_chain.h"
#include "plugin_fixture.h"
#include "support/split_mix.h"

namespace {

class BaselineAgreement : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    reference = pluginMain(RecordingHost::callback);
    ASSERT_NE(reference, nullptr);
  }
  void TearDown() override {
    if (reference) reference->dispatcher(reference, effClose, 0, 0, nullptr, 0.0f);
    PluginTest::TearDown();
  }
  OverdriveEngine& referenceEngine() { return engineOf(reference); }
  void setBoth(int32_t index, float value) {
    record->setParameter(record, index, value);
    reference->setParameter(reference, index, value);
  }
  void expectSameState() {
    const EngineSnapshot mine = state(), other = EngineProbe::snapshot(referenceEngine());
    ASSERT_EQ(0, std::memcmp(&mine.left, &other.left, sizeof other.left));
    ASSERT_EQ(0, std::memcmp(&mine.right, &other.right, sizeof other.right));
    ASSERT_EQ(bitsOf(mine.drive), bitsOf(other.drive));
    ASSERT_EQ(bitsOf(mine.bandMix), bitsOf(other.bandMix));
    ASSERT_EQ(bitsOf(mine.gain), bitsOf(other.gain));
    ASSERT_EQ(bitsOf(mine.peakLevel), bitsOf(other.peakLevel));
  }

  AEffect* reference = nullptr;
};

// Every program, random parameter moves (some outside 0 to 1), noise at levels from silence to
// far beyond clipping, odd block sizes, in-place blocks and inputs that are not finite.
TEST_F(BaselineAgreement, RandomizedSessionsMatchToTheBit) {
  SplitMix random{77};
  StereoBuffer in(2100), out(2100), expected(2100);
  const float levels[] = {0.0f, 1e-30f, 0.001f, 0.3f, 1.0f, 40.0f, 3e38f};
  for (int block = 0; block < 400; ++block) {
    if (random.below(3) == 0) {
      const float value = random.below(8) == 0 ? random.unit() * 4.0f - 2.0f : random.unit();
      setBoth(static_cast<int32_t>(random.below(6)), value);
    }
    if (random.below(20) == 0) {
      const auto program = random.below(3);
      send(effSetProgram, 0, program);
      reference->dispatcher(reference, effSetProgram, 0, program, nullptr, 0.0f);
    }
    const uint32_t frames = random.below(4) == 0 ? random.below(8) : random.below(2100);
    const float level = levels[random.below(7)];
    for (uint32_t i = 0; i < frames; ++i) {
      in.left[i] = (random.unit() * 2.0f - 1.0f) * level;
      in.right[i] = (random.unit() * 2.0f - 1.0f) * level;
    }
    if (frames > 0 && random.below(10) == 0) {
      in.left[random.below(frames)] = std::numeric_limits<float>::quiet_NaN();
      in.right[random.below(frames)] = -std::numeric_limits<float>::infinity();
    }
    const auto n = static_cast<int32_t>(frames);
    baselineProcessReplacing(referenceEngine(), in.channels(), expected.channels(), n);
    if (random.below(4) == 0) {
      out = in;
      record->processReplacing(record, out.channels(), out.channels(), n);
    } else {
      record->processReplacing(record, in.channels(), out.channels(), n);
    }
    for (uint32_t i = 0; i < frames; ++i) {
      ASSERT_EQ(bitsOf(out.left[i]), bitsOf(expected.left[i])) << "block " << block << " " << i;
      ASSERT_EQ(bitsOf(out.right[i]), bitsOf(expected.right[i])) << "block " << block << " " << i;
    }
    expectSameState();
  }
}

// After a loud block the states sink through the float denormal range within long silent
// blocks; both forms must round them identically there.
TEST_F(BaselineAgreement, DecayThroughTheDenormalRangeMatches) {
  send(effSetProgram, 0, 2);
  reference->dispatcher(reference, effSetProgram, 0, 2, nullptr, 0.0f);
  StereoBuffer loud(512), silence(8192), out(8192), expected(8192);
  SplitMix random{5};
  for (size_t i = 0; i < 512; ++i) {
    loud.left[i] = random.unit() * 2.0f - 1.0f;
    loud.right[i] = random.unit() * 2.0f - 1.0f;
  }
  int denormalOutputs = 0;
  for (int round = 0; round < 3; ++round) {
    baselineProcessReplacing(referenceEngine(), loud.channels(), expected.channels(), 512);
    replacing(loud, out);
    baselineProcessReplacing(referenceEngine(), silence.channels(), expected.channels(), 8192);
    replacing(silence, out);
    for (size_t i = 0; i < 8192; ++i) {
      ASSERT_EQ(bitsOf(out.left[i]), bitsOf(expected.left[i])) << i;
      ASSERT_EQ(bitsOf(out.right[i]), bitsOf(expected.right[i])) << i;
      denormalOutputs += std::fpclassify(out.left[i]) == FP_SUBNORMAL;
    }
    expectSameState();
  }
  EXPECT_GT(denormalOutputs, 0);
}

// A held setting lets the smoothers settle, after which the plug-in stops stepping them; the
// output stays the reference's through the settling, while settled, and after a change.
TEST_F(BaselineAgreement, HeldSettingsSettleAndStayExact) {
  StereoBuffer in(4096), out(4096), expected(4096);
  SplitMix random{31};
  auto compareBlock = [&](int block) {
    for (size_t i = 0; i < 4096; ++i) {
      in.left[i] = random.unit() - 0.5f;
      in.right[i] = random.unit() - 0.5f;
    }
    baselineProcessReplacing(referenceEngine(), in.channels(), expected.channels(), 4096);
    replacing(in, out);
    for (size_t i = 0; i < 4096; ++i) {
      ASSERT_EQ(bitsOf(out.left[i]), bitsOf(expected.left[i])) << "block " << block << " " << i;
      ASSERT_EQ(bitsOf(out.right[i]), bitsOf(expected.right[i])) << "block " << block << " " << i;
    }
    expectSameState();
  };
  for (int32_t program = 0; program < 3; ++program) {
    SCOPED_TRACE(program);
    send(effSetProgram, 0, program);
    reference->dispatcher(reference, effSetProgram, 0, program, nullptr, 0.0f);
    for (int block = 0; block < 24; ++block) ASSERT_NO_FATAL_FAILURE(compareBlock(block));
    const float settledDrive = state().drive, settledToneFreq = state().left.toneFreq;
    ASSERT_NO_FATAL_FAILURE(compareBlock(24));
    EXPECT_EQ(state().drive, settledDrive) << "settled: a whole block without a smoother step";
    EXPECT_EQ(state().left.toneFreq, settledToneFreq);
    setBoth(1, 0.93f);  // color: the tone frequency glides again
    for (int block = 25; block < 28; ++block) ASSERT_NO_FATAL_FAILURE(compareBlock(block));
    EXPECT_NE(state().left.toneFreq, settledToneFreq);
  }
}

}  // namespace
