// Opening and closing, programs, suspend and resume, as a host's session goes.
#include <utility>

#include "validator/validator_host.h"

namespace {

// Program 2 with its drive engaged, fed 4096 frames of fixed noise in 256-frame blocks.
std::vector<float> soundOf(Instance& instance) {
  std::mt19937 random(7);
  StereoBlock block(256);
  std::vector<float> sound;
  instance.dispatch(effSetProgram, 0, 2);
  instance.dispatch(effMainsChanged, 0, 1);
  for (int i = 0; i < 16; ++i) {
    block.fillNoise(random, 0.8f);
    instance.run(block, Entry::replacing);
    sound.insert(sound.end(), block.outLeft.begin(), block.outLeft.end());
    sound.insert(sound.end(), block.outRight.begin(), block.outRight.end());
  }
  return sound;
}

using Lifecycle = ValidatorTest;

TEST_F(Lifecycle, ColdAndWarmOpensSoundTheSame) {
  std::vector<float> first;
  {
    Instance cold(plugin.entry());
    ASSERT_NE(cold.record, nullptr);
    EXPECT_EQ(cold.dispatch(effOpen), 0);
    first = soundOf(cold);
    ASSERT_TRUE(finiteAndBounded(first));
  }
  // Warm: the library stays loaded and instance after instance starts from the same state.
  for (int i = 0; i < 50; ++i) {
    Instance warm(plugin.entry());
    ASSERT_NE(warm.record, nullptr);
    if (i % 2 == 0) warm.dispatch(effOpen);  // some hosts never send effOpen
    ASSERT_TRUE(sameBits(soundOf(warm), first)) << "warm instance " << i;
  }
  // Cold again: unloaded and loaded anew.
  for (int i = 0; i < 3; ++i) {
    BuiltPlugin reloaded;
    ASSERT_NE(reloaded.entry(), nullptr);
    Instance cold(reloaded.entry());
    EXPECT_TRUE(sameBits(soundOf(cold), first)) << "cold load " << i;
  }
}

TEST_F(Lifecycle, ClosingAnUnusedInstanceAnswersOne) {
  for (int i = 0; i < 20; ++i) {
    AEffect* record = plugin.entry()(answeringHost<>);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
  }
}

TEST_F(Lifecycle, RandomProgramChangesAndBack) {
  Instance instance(plugin.entry());
  std::vector<std::vector<float>> factory(kProgramCount);
  std::vector<std::string> names(kProgramCount);
  for (int32_t p = 0; p < kProgramCount; ++p) {
    instance.dispatch(effSetProgram, 0, p);
    for (int32_t i = 0; i < kParameterCount; ++i) factory[p].push_back(instance.get(i));
    names[p] = instance.programName();
  }
  std::uniform_int_distribution<int32_t> program(-2, kProgramCount + 1);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  int32_t current = kProgramCount - 1;
  for (int step = 0; step < 500; ++step) {
    const int32_t chosen = program(random);
    instance.dispatch(effSetProgram, 0, chosen);
    if (chosen >= 0 && chosen < kProgramCount) current = chosen;
    ASSERT_EQ(instance.dispatch(effGetProgram), current) << "after asking for " << chosen;
    ASSERT_EQ(instance.programName(), names[current]);
    if (step % 3 == 0) instance.set(step % kParameterCount, unit(random));
  }
  // Back on each program: its stored values, whatever was changed while it was current.
  for (int32_t p = 0; p < kProgramCount; ++p) {
    instance.dispatch(effSetProgram, 0, p);
    for (int32_t i = 0; i < kParameterCount; ++i)
      EXPECT_EQ(instance.get(i), factory[p][i]) << "program " << p << " parameter " << i;
  }
}

TEST_F(Lifecycle, SuspendAndResumeKeepTheSound) {
  Instance plain(plugin.entry());
  Instance cycled(plugin.entry());
  std::mt19937 noise(3);
  StereoBlock block(512);
  for (Instance* instance : {&plain, &cycled}) instance->dispatch(effSetProgram, 0, 1);
  for (int i = 0; i < 40; ++i) {
    for (int k = 0; k < 1 + i % 4; ++k) {
      cycled.dispatch(effMainsChanged, 0, 0);
      cycled.dispatch(effMainsChanged, 0, k % 2 ? -1 : 1);  // any non-zero value resumes
    }
    block.fillNoise(noise, 1.0f);
    plain.run(block, Entry::replacing);
    const std::vector<float> left = block.outLeft, right = block.outRight;
    cycled.run(block, Entry::replacing);
    ASSERT_TRUE(sameBits(block.outLeft, left) && sameBits(block.outRight, right)) << "block " << i;
  }
}

}  // namespace
