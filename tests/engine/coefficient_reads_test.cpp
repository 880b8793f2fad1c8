// Coefficients stored while a block runs take effect within that block: the signal path reads
// them every frame, also when it skips widening unchanged ones. A trap on the left output of one
// frame changes one coefficient at that moment. With up to four frames in flight, the change
// must reach the sound from one of the next four frames on: the result equals two blocks split
// at that frame with the change between them.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/pipeline_schedule.h"
#include "plugin_fixture.h"
#include "support/split_mix.h"
#include "support/write_trap.h"

namespace {

constexpr int32_t kFrames = 96;
constexpr int32_t kTrapped = 40;            // the trap springs on this frame's left output
constexpr int32_t kInFlight = kStageCount;  // frames the signal path works on at once

struct CoefficientChange {
  const char* name;
  std::function<void(EngineSnapshot&)> apply;
};

// A change to one coefficient, stored through the engine's seam as another thread's
// recomputation would store it.
template <typename Change>
void changeCoefficients(OverdriveEngine& e, Change change) {
  EngineSnapshot state = EngineProbe::snapshot(e);
  change(state);
  EngineProbe::restore(e, state);
}

const std::vector<CoefficientChange>& changes() {
  static const std::vector<CoefficientChange> list = {
      {"driveFeed", [](EngineSnapshot& s) { s.driveFeed = s.driveFeed * 3.0f; }},
      {"bandMixFeed", [](EngineSnapshot& s) { s.bandMixFeed = -0.01f; }},
      {"gainFeed", [](EngineSnapshot& s) { s.gainFeed = s.gainFeed * 2.0f; }},
      {"left toneFreqFeed", [](EngineSnapshot& s) { s.left.toneFreqFeed *= 4.0f; }},
      {"right toneFreqFeed", [](EngineSnapshot& s) { s.right.toneFreqFeed *= 4.0f; }},
      {"postFeedback", [](EngineSnapshot& s) { s.postFilter.postFeedback = 0.5f; }},
      {"postInputWeight", [](EngineSnapshot& s) { s.postFilter.postInputWeight = 0.25f; }},
  };
  return list;
}

// Noise in [-0.5, 0.5) from a fixed seed, different per channel.
StereoBuffer noise(int32_t frames) {
  StereoBuffer in(static_cast<size_t>(frames));
  SplitMix random{12345};
  for (int32_t i = 0; i < frames; ++i) {
    in.left[i] = random.unit() - 0.5f;
    in.right[i] = random.unit() - 0.5f;
  }
  return in;
}

// An instance in the "Drive" program, its smoothers still gliding or, after enough noise,
// settled on the program's feeds (the signal path then stops stepping them until a feed
// changes).
AEffect* openInstance(bool settled) {
  AEffect* record = pluginMain(RecordingHost::callback);
  if (!record) return nullptr;
  record->dispatcher(record, effSetProgram, 0, 2, nullptr, 0.0f);
  if (settled) {
    StereoBuffer in = noise(4096), out(4096);
    for (int block = 0; block < 25; ++block)
      record->processReplacing(record, in.channels(), out.channels(), 4096);
  }
  return record;
}

void closeInstance(AEffect* record) { record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f); }

// The reference: frames before `first`, then the change (if any), then the rest.
StereoBuffer splitBlocks(bool settled, StereoBuffer& in, const CoefficientChange* change,
                         int32_t first) {
  AEffect* record = openInstance(settled);
  StereoBuffer out(kFrames);
  float* inputs[2] = {in.left.data(), in.right.data()};
  float* outputs[2] = {out.left.data(), out.right.data()};
  record->processReplacing(record, inputs, outputs, first);
  if (change) changeCoefficients(engineOf(record), change->apply);
  float* laterIn[2] = {inputs[0] + first, inputs[1] + first};
  float* laterOut[2] = {outputs[0] + first, outputs[1] + first};
  record->processReplacing(record, laterIn, laterOut, kFrames - first);
  closeInstance(record);
  return out;
}

bool sameOutput(const StereoBuffer& a, const StereoBuffer& b) {
  return a.left == b.left && a.right == b.right;
}

TEST(CoefficientReads, AChangeWithinABlockTakesEffectWithinFourFrames) {
  RecordingHost host;
  for (const bool settled : {false, true}) {
    for (const CoefficientChange& change : changes()) {
      SCOPED_TRACE(std::string(change.name) + (settled ? ", smoothers settled" : ", gliding"));
      StereoBuffer in = noise(kFrames);
      AEffect* record = openInstance(settled);
      ASSERT_NE(record, nullptr);
      StereoBuffer out(kFrames);
      {
        WriteTrap trap(kTrapped, kFrames - kTrapped,
                       [&] { changeCoefficients(engineOf(record), change.apply); });
        float* outputs[2] = {trap.data(), out.right.data()};
        record->processReplacing(record, in.channels(), outputs, kFrames);
        ASSERT_TRUE(trap.sprung());
        out.left.assign(trap.data(), trap.data() + kFrames);
      }
      closeInstance(record);

      int32_t matches = 0;
      for (int32_t first = kTrapped + 1; first <= kTrapped + kInFlight; ++first)
        matches += sameOutput(out, splitBlocks(settled, in, &change, first));
      EXPECT_EQ(matches, 1) << "the output is that of exactly one frame where the change began";
      // Without the change the output differs, so the comparison shows that it took effect.
      EXPECT_FALSE(sameOutput(out, splitBlocks(settled, in, nullptr, kFrames)));
    }
  }
}

}  // namespace
