// Audio through both entries as hosts send it: sample rates, block sizes, automation, empty
// blocks, separate and shared buffers.
#include <algorithm>
#include <limits>

#include "validator/validator_host.h"

namespace {

using Processing = ValidatorTest;

// The engine's coefficients are per sample: the sample rate and block size a host announces
// change nothing, and no rate or block size brings a NaN, an infinity or an overload.
TEST_F(Processing, NoiseAtEveryRateAndBlockSizeThroughBothEntries) {
  std::uniform_int_distribution<int> blockSize(64, 1024);
  std::vector<std::vector<float>> sounds;
  for (float rate : {44100.0f, 48000.0f, 96000.0f}) {
    for (int32_t program = 0; program < kProgramCount; ++program) {
      Instance instance(plugin.entry());
      instance.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
      instance.dispatch(effSetBlockSize, 0, 1024);
      instance.dispatch(effSetProgram, 0, program);
      instance.set(3, 1.0f);  // the x100 drive: the hottest signal the parameters allow
      instance.dispatch(effMainsChanged, 0, 1);
      std::mt19937 noise(program);
      std::mt19937 sizes(11);
      std::vector<float> sound;
      for (int i = 0; i < 24; ++i) {
        StereoBlock block(static_cast<size_t>(blockSize(sizes)));
        block.fillNoise(noise, 1.0f);
        const Entry entry = i % 2 ? Entry::accumulating : Entry::replacing;
        instance.run(block, entry);  // outputs start at 0, so both entries write the sound
        ASSERT_TRUE(finiteAndBounded(block.outLeft)) << rate << " Hz, block " << i;
        ASSERT_TRUE(finiteAndBounded(block.outRight)) << rate << " Hz, block " << i;
        sound.insert(sound.end(), block.outLeft.begin(), block.outLeft.end());
        sound.insert(sound.end(), block.outRight.begin(), block.outRight.end());
      }
      sounds.push_back(sound);
    }
  }
  for (size_t i = kProgramCount; i < sounds.size(); ++i)
    EXPECT_TRUE(sameBits(sounds[i], sounds[i % kProgramCount])) << "rate changed the sound " << i;
}

// A host that splits its block at automation points: 32-frame sub-blocks, each after up to ten
// parameter changes, like sample-accurate automation.
TEST_F(Processing, AutomationInThirtyTwoFrameSubBlocks) {
  Instance instance(plugin.entry());
  std::uniform_int_distribution<int> changes(0, 10);
  std::uniform_int_distribution<int32_t> parameter(0, kParameterCount - 1);
  std::uniform_real_distribution<float> value(0.0f, 1.0f);
  StereoBlock block(1024);
  for (int i = 0; i < 40; ++i) {
    block.fillNoise(random, 1.0f);
    for (size_t start = 0; start < block.frames(); start += 32) {
      for (int c = changes(random); c > 0; --c) {
        const int32_t index = parameter(random);
        const float v = value(random);
        instance.set(index, v);
        ASSERT_EQ(instance.get(index), v);
      }
      float* in[2] = {block.inLeft.data() + start, block.inRight.data() + start};
      float* out[2] = {block.outLeft.data() + start, block.outRight.data() + start};
      instance.record->processReplacing(instance.record, in, out, 32);
    }
    ASSERT_TRUE(finiteAndBounded(block.outLeft)) << "block " << i;
    ASSERT_TRUE(finiteAndBounded(block.outRight)) << "block " << i;
  }
}

// An empty block writes no sample and shows silence on the meter; the sound goes on as if it
// had not come, since its flushes are those the next block makes anyway.
TEST_F(Processing, ZeroFrameBlocksChangeNothingAudible) {
  Instance plain(plugin.entry());
  Instance interrupted(plugin.entry());
  for (Instance* instance : {&plain, &interrupted}) instance->dispatch(effSetProgram, 0, 2);
  StereoBlock block(300);
  for (int i = 0; i < 30; ++i) {
    block.fillNoise(random, 0.5f);
    plain.run(block, Entry::replacing);
    const std::vector<float> left = block.outLeft, right = block.outRight;

    block.outLeft.assign(block.frames(), 7.0f);
    block.outRight.assign(block.frames(), 7.0f);
    for (int k = 0; k < 3; ++k) {
      const AEffectProcessProc entry =
          k % 2 ? interrupted.record->process : interrupted.record->processReplacing;
      entry(interrupted.record, block.inputs(), block.outputs(), 0);
      ASSERT_EQ(interrupted.dispatch(effGetVu), 0);
    }
    ASSERT_EQ(block.outLeft, std::vector<float>(block.frames(), 7.0f)) << "written by 0 frames";
    interrupted.run(block, Entry::replacing);
    ASSERT_TRUE(sameBits(block.outLeft, left) && sameBits(block.outRight, right)) << "block " << i;
  }
}

TEST_F(Processing, InputsUntouchedWhenOutputsAreOtherBuffers) {
  Instance instance(plugin.entry());
  instance.dispatch(effSetProgram, 0, 2);
  StereoBlock block(777);
  for (int i = 0; i < 20; ++i) {
    block.fillNoise(random, 1.5f);
    const std::vector<float> left = block.inLeft, right = block.inRight;
    instance.run(block, i % 2 ? Entry::accumulating : Entry::replacing);
    ASSERT_TRUE(sameBits(block.inLeft, left) && sameBits(block.inRight, right)) << "block " << i;
  }
}

// The same sound whether each output is its channel's input buffer or a buffer of its own.
TEST_F(Processing, InPlaceSoundsLikeSeparateBuffers) {
  Instance separate(plugin.entry());
  Instance inPlace(plugin.entry());
  for (Instance* instance : {&separate, &inPlace}) instance->dispatch(effSetProgram, 0, 1);
  StereoBlock block(512);
  for (int i = 0; i < 20; ++i) {
    block.fillNoise(random, 1.0f);
    const Entry entry = i % 2 ? Entry::accumulating : Entry::replacing;
    block.outLeft = block.inLeft;  // what the accumulating entry adds to, in both cases
    block.outRight = block.inRight;
    separate.run(block, entry);
    inPlace.run(block, entry, block.inputs());
    ASSERT_TRUE(sameBits(block.inLeft, block.outLeft) && sameBits(block.inRight, block.outRight))
        << "block " << i;
  }
}

// A block run while PreBand, Color, PreAmp or PostGain is not finite (or so large that its
// smoother overflows) must not leave that smoothed value stuck: once the host sends values in
// range again, the sound is that of an instance that never saw the bad value.
TEST_F(Processing, ANonFiniteParameterDoesNotLatchOnceInRange) {
  for (int32_t index : {0, 1, 2, 5}) {
    for (float bad :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 1e30f}) {
      Instance instance(plugin.entry());
      Instance reference(plugin.entry());
      StereoBlock block(512);
      block.fillNoise(random, 0.5f);
      instance.set(index, bad);
      instance.run(block, Entry::replacing);
      for (Instance* i : {&instance, &reference}) i->dispatch(effSetProgram, 0, 1);
      // The same input to both for 200 smoother time constants: long enough to settle.
      std::vector<float> recovered;
      for (int n = 0; n < 1600; ++n) {
        block.fillNoise(random, 0.5f);
        instance.run(block, Entry::replacing);
        recovered = block.outLeft;
        reference.run(block, Entry::replacing);
      }
      double difference = 0;
      for (size_t i = 0; i < recovered.size(); ++i)
        difference = std::max(difference, std::fabs(double(recovered[i]) - block.outLeft[i]));
      EXPECT_LT(difference, 1e-3) << "parameter " << index << " set to " << bad;
    }
  }
}

}  // namespace
