// A long randomized session whose every output bit and meter value is folded into one digest.
// All three targets must produce the same digest: the audio is defined to the bit.
#include "plugin_fixture.h"
#include "support/split_mix.h"

namespace {

struct Digest {
  uint64_t value = 0xCBF29CE484222325ull;  // FNV-1a
  void add(uint32_t word) {
    for (int i = 0; i < 4; ++i) {
      value ^= (word >> (8 * i)) & 0xFF;
      value *= 0x100000001B3ull;
    }
  }
};

using CrossTarget = PluginTest;

TEST_F(CrossTarget, RandomizedSessionDigestIsTheSameOnEveryTarget) {
  SplitMix random{20261209};
  Digest digest;
  StereoBuffer in(4096), out(4096);
  for (int block = 0; block < 600; ++block) {
    const uint32_t action = random.below(10);
    if (action < 4) {
      record->setParameter(record, static_cast<int32_t>(random.below(6)), random.unit());
    } else if (action == 4) {
      send(effSetProgram, 0, random.below(3));
    }
    const uint32_t sizes[] = {0, 1, 7, 64, 512, 1000, 4096};
    const uint32_t frames = block % 50 == 0 ? sizes[random.below(7)] : random.below(2048);
    // Loud noise, quiet noise and silence, so that drive, clipping and decay all show.
    const float level = block % 7 == 0 ? 0.0f : (block % 3 == 0 ? 1.5f : 0.02f);
    for (uint32_t i = 0; i < frames; ++i) {
      in.left[i] = (random.unit() * 2.0f - 1.0f) * level;
      in.right[i] = (random.unit() * 2.0f - 1.0f) * level;
    }
    const bool inPlace = random.below(4) == 0;
    const bool accumulate = random.below(2) == 0;
    if (accumulate) {
      for (uint32_t i = 0; i < frames; ++i) out.left[i] = out.right[i] = 0.0f;
    }
    float** source = inPlace ? out.channels() : in.channels();
    if (inPlace) {
      std::copy(in.left.begin(), in.left.begin() + frames, out.left.begin());
      std::copy(in.right.begin(), in.right.begin() + frames, out.right.begin());
    }
    if (accumulate)
      record->process(record, source, out.channels(), static_cast<int32_t>(frames));
    else
      record->processReplacing(record, source, out.channels(), static_cast<int32_t>(frames));
    for (uint32_t i = 0; i < frames; ++i) {
      digest.add(bitsOf(out.left[i]));
      digest.add(bitsOf(out.right[i]));
    }
    digest.add(bitsOf(state().peakLevel));
    digest.add(static_cast<uint32_t>(send(effGetVu)));
  }
  // The digest linux, win32 and win64 all produce; it changes only with the sound itself.
  EXPECT_EQ(digest.value, 0x124b66805ba7582cull) << std::hex << digest.value;
}

}  // namespace
