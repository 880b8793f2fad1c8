// Audio through both processing entries: the worked block, silence, flushing, the meter, and
// the sound behaviour for inputs and states that are not finite.
#include <cmath>
#include <limits>

#include "plugin_fixture.h"

namespace {

using SignalPath = PluginTest;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

TEST_F(SignalPath, WorkedBlockIsExact) {
  setAll({0.0f, 0.5f, 0.0f, 0.33f, 0.0f, 1.0f});
  StereoBuffer in(4, 0.5f, -0.5f), out(4);
  replacing(in, out);
  EXPECT_EQ(out.left, (std::vector<float>{0.5774061679840088f, 0.7995901703834534f,
                                          0.8397546410560608f, 0.8177195191383362f}));
  EXPECT_EQ(out.right, (std::vector<float>{-0.577354371547699f, -0.7994834780693054f,
                                           -0.8396263718605042f, -0.8175846338272095f}));
  EXPECT_EQ(state().peakLevel, 0.8397546410560608f);
  EXPECT_EQ(state().drive, 1.0f);
  EXPECT_EQ(state().bandMix, 1.0f);
  EXPECT_EQ(state().gain, 1.0f);
  EXPECT_EQ(send(effGetVu), static_cast<intptr_t>(0.8397546410560608 * 32767.0));
}

TEST_F(SignalPath, SilenceStaysExactlyZero) {
  for (int32_t program = 0; program < 3; ++program) {
    send(effSetProgram, 0, program);
    StereoBuffer in(700), out(700, 1.0f, 1.0f);
    replacing(in, out);
    for (size_t i = 0; i < 700; ++i) {
      ASSERT_EQ(bitsOf(out.left[i]), 0u) << i;
      ASSERT_EQ(bitsOf(out.right[i]), 0u) << i;
    }
    StereoBuffer kept(700, 0.25f, -0.5f);
    accumulating(in, kept);
    EXPECT_EQ(kept.left, std::vector<float>(700, 0.25f));
    EXPECT_EQ(kept.right, std::vector<float>(700, -0.5f));
    EXPECT_EQ(state().peakLevel, 0.0f);
    EXPECT_EQ(send(effGetVu), 0);
  }
}

TEST_F(SignalPath, AccumulatingOverZerosMatchesReplacing) {
  send(effSetProgram, 0, 2);
  const AEffect* replacingRecord = nullptr;
  AEffect* twin = pluginMain(RecordingHost::callback);
  ASSERT_NE(twin, nullptr);
  replacingRecord = twin;
  twin->dispatcher(twin, effSetProgram, 0, 2, nullptr, 0.0f);
  StereoBuffer in(300), sum(300, 0.0f, 0.0f), out(300);
  for (size_t i = 0; i < 300; ++i) {
    in.left[i] = std::sin(0.05f * i) * 0.8f;
    in.right[i] = std::cos(0.031f * i) * 0.6f;
  }
  accumulating(in, sum);
  twin->processReplacing(twin, in.channels(), out.channels(), 300);
  EXPECT_EQ(sum.left, out.left);
  EXPECT_EQ(sum.right, out.right);
  const EngineSnapshot mine = state(),
                       other =
                           EngineProbe::snapshot(engineOf(const_cast<AEffect*>(replacingRecord)));
  EXPECT_EQ(mine.peakLevel, other.peakLevel);
  EXPECT_EQ(0, std::memcmp(&mine.left, &other.left, sizeof mine.left));
  EXPECT_EQ(0, std::memcmp(&mine.right, &other.right, sizeof mine.right));
  EXPECT_EQ(mine.drive, other.drive);
  twin->dispatcher(twin, effClose, 0, 0, nullptr, 0.0f);
}

TEST_F(SignalPath, AccumulatingAddsToWhatTheBufferHeld) {
  StereoBuffer in(8, 0.5f, -0.5f), out(8), sum(8, 0.125f, 0.125f);
  AEffect* twin = pluginMain(RecordingHost::callback);
  twin->processReplacing(twin, in.channels(), out.channels(), 8);
  accumulating(in, sum);
  // The sum is rounded once from the unrounded engine value, so it may differ from a sum of
  // the rounded output by one step of the float grid, never more.
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_NEAR(sum.left[i], 0.125f + out.left[i], 1.2e-7f);
    EXPECT_NEAR(sum.right[i], 0.125f + out.right[i], 1.2e-7f);
    EXPECT_NE(sum.left[i], out.left[i]);
  }
  twin->dispatcher(twin, effClose, 0, 0, nullptr, 0.0f);
}

TEST_F(SignalPath, InPlaceProcessingMatchesSeparateBuffers) {
  send(effSetProgram, 0, 1);
  AEffect* twin = pluginMain(RecordingHost::callback);
  twin->dispatcher(twin, effSetProgram, 0, 1, nullptr, 0.0f);
  StereoBuffer in(257), out(257);
  for (size_t i = 0; i < 257; ++i) {
    in.left[i] = static_cast<float>(i % 17) / 9.0f - 0.9f;
    in.right[i] = 0.7f - static_cast<float>(i % 5) / 4.0f;
  }
  StereoBuffer inPlace = in;
  twin->processReplacing(twin, in.channels(), out.channels(), 257);
  record->processReplacing(record, inPlace.channels(), inPlace.channels(), 257);
  EXPECT_EQ(inPlace.left, out.left);
  EXPECT_EQ(inPlace.right, out.right);
  twin->dispatcher(twin, effClose, 0, 0, nullptr, 0.0f);
}

TEST_F(SignalPath, ZeroAndNegativeFrameCountsWriteNothingButStillFlush) {
  StereoBuffer in(16, 0.9f, 0.9f), out(16);
  replacing(in, out);
  ASSERT_GT(state().peakLevel, 0.0f);
  changeState([](EngineSnapshot& s) {
    s.left.toneLow = 5.9604645e-8f;
    s.left.post1 = -5.9604645e-8f;
  });
  StereoBuffer untouched(16, 3.0f, 3.0f);
  for (int32_t frames : {0, -1, -100000}) {
    record->processReplacing(record, in.channels(), untouched.channels(), frames);
    record->process(record, in.channels(), untouched.channels(), frames);
  }
  EXPECT_EQ(untouched.left, std::vector<float>(16, 3.0f));
  EXPECT_EQ(untouched.right, std::vector<float>(16, 3.0f));
  EXPECT_EQ(state().peakLevel, 0.0f);
  EXPECT_EQ(state().left.toneLow, 0.0f);
  EXPECT_EQ(state().left.post1, 0.0f);
}

// With no frames to process neither entry reads the buffer arrays, so a host may pass null;
// the block edges still run.
TEST_F(SignalPath, NoFramesReadNoBufferArraysButStillFlush) {
  StereoBuffer in(16, 0.9f, 0.9f), out(16);
  for (const auto entry : {record->process, record->processReplacing}) {
    for (int32_t frames : {0, -7}) {
      replacing(in, out);
      ASSERT_GT(state().peakLevel, 0.0f);
      changeState([](EngineSnapshot& s) {
        s.left.toneLow = 5.9604645e-8f;
        s.right.post2 = -5.9604645e-8f;
      });
      entry(record, nullptr, nullptr, frames);
      EXPECT_EQ(state().peakLevel, 0.0f);
      EXPECT_EQ(state().left.toneLow, 0.0f);
      EXPECT_EQ(state().right.post2, 0.0f);
    }
  }
}

// A host that sums a stereo effect into a mono bus passes one buffer as both outputs. The
// accumulating entry adds the left result and then the right one to each frame; the replacing
// entry leaves the right result. Two twins with separate buffers give the expected sums: one
// adds the left result to the bus, the other adds the right result to that.
TEST_F(SignalPath, OneBufferForBothOutputs) {
  constexpr size_t kFrames = 300;
  AEffect* twins[2] = {pluginMain(RecordingHost::callback), pluginMain(RecordingHost::callback)};
  for (AEffect* twin : twins) ASSERT_NE(twin, nullptr);
  StereoBuffer in(kFrames), leftAdded(kFrames), bothAdded(kFrames);
  for (size_t i = 0; i < kFrames; ++i) {
    in.left[i] = std::sin(0.05f * i) * 0.8f;
    in.right[i] = std::cos(0.031f * i) * 0.6f;
    leftAdded.left[i] = 0.001f * static_cast<float>(i % 23) - 0.01f;
  }
  std::vector<float> bus = leftAdded.left;
  for (AEffect* r : {record, twins[0], twins[1]}) r->dispatcher(r, effSetProgram, 0, 2, nullptr, 0);
  twins[0]->process(twins[0], in.channels(), leftAdded.channels(), kFrames);
  bothAdded.right = leftAdded.left;
  twins[1]->process(twins[1], in.channels(), bothAdded.channels(), kFrames);
  float* mono[2] = {bus.data(), bus.data()};
  record->process(record, in.channels(), mono, kFrames);
  EXPECT_EQ(bus, bothAdded.right);

  StereoBuffer separate(kFrames);
  twins[0]->processReplacing(twins[0], in.channels(), separate.channels(), kFrames);
  record->processReplacing(record, in.channels(), mono, kFrames);
  EXPECT_EQ(bus, separate.right);
  for (AEffect* twin : twins) twin->dispatcher(twin, effClose, 0, 0, nullptr, 0.0f);
}

TEST_F(SignalPath, FlushZeroesStatesUpToTwoToTheMinus24) {
  const float limit = 5.9604645e-8f;  // 2^-24
  const float above = std::nextafter(limit, 1.0f);
  StereoBuffer in(0), out(0);
  changeState([&](EngineSnapshot& s) {
    s.left.toneBand = limit;
    s.right.splitHigh = -limit;
    s.left.splitBand = std::numeric_limits<float>::denorm_min();
    s.right.toneLow = above;
    s.left.post2 = -above;
    s.left.toneFreq = 1e-30f;
  });
  replacing(in, out);
  EXPECT_EQ(state().left.toneBand, 0.0f);
  EXPECT_EQ(state().right.splitHigh, 0.0f);
  EXPECT_EQ(state().left.splitBand, 0.0f);
  EXPECT_EQ(state().right.toneLow, above);
  EXPECT_EQ(state().left.post2, -above);
  EXPECT_EQ(state().left.toneFreq, 1e-30f) << "smoothed values are never flushed";
}

TEST_F(SignalPath, NegativeFinalValuesLeaveTheMeterAtZero) {
  StereoBuffer in(200, -0.8f, -0.8f), out(200);
  replacing(in, out);
  for (float v : out.left) ASSERT_LT(v, 0.0f);
  EXPECT_EQ(state().peakLevel, 0.0f);
}

TEST_F(SignalPath, MeterIsTheLargestFinalValueOfTheLastBlock) {
  StereoBuffer in(64, 0.1f, 0.6f), out(64);
  replacing(in, out);
  float largest = 0.0f;
  for (size_t i = 0; i < 64; ++i) largest = std::max({largest, out.left[i], out.right[i]});
  EXPECT_EQ(state().peakLevel, largest);
  EXPECT_EQ(send(effGetVu), static_cast<intptr_t>(static_cast<double>(largest) * 32767.0));
}

// A host that hands over one NaN or infinity must not lose the channel until reload.
TEST_F(SignalPath, NonFiniteInputsCountAsSilence) {
  send(effSetProgram, 0, 2);
  AEffect* twin = pluginMain(RecordingHost::callback);
  twin->dispatcher(twin, effSetProgram, 0, 2, nullptr, 0.0f);
  StereoBuffer dirty(128, 0.3f, -0.3f);
  dirty.left[5] = kNaN;
  dirty.right[9] = kInfinity;
  dirty.left[40] = -kInfinity;
  StereoBuffer clean = dirty;
  clean.left[5] = clean.right[9] = clean.left[40] = 0.0f;
  StereoBuffer a(128), b(128);
  replacing(dirty, a);
  twin->processReplacing(twin, clean.channels(), b.channels(), 128);
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.right, b.right);
  twin->dispatcher(twin, effClose, 0, 0, nullptr, 0.0f);
}

// Out-of-range parameters can make a filter blow up; its state is reset at the next block edge.
TEST_F(SignalPath, BlownUpFiltersRecoverAtTheBlockEdge) {
  setAll({0.0f, 40.0f, 1.0f, 1.0f, 30.0f, 1.0f});
  StereoBuffer in(2000, 0.5f, -0.5f), out(2000);
  replacing(in, out);
  StereoBuffer none(0), noneOut(0);
  replacing(none, noneOut);  // a block edge: both flushes run
  const EngineSnapshot states = state();
  for (const ChannelSnapshot* c : {&states.left, &states.right}) {
    for (float value : {c->toneLow, c->toneBand, c->toneHigh, c->splitLow, c->splitBand,
                        c->splitHigh, c->post1, c->post2}) {
      EXPECT_TRUE(std::isfinite(value)) << value;
    }
  }
  send(effSetProgram, 0, 0);
  StereoBuffer settle(20000, 0.5f, -0.5f), later(20000);
  for (int block = 0; block < 5; ++block) replacing(settle, later);
  EXPECT_TRUE(std::isfinite(later.left.back()));
  EXPECT_GT(later.left.back(), 0.5f) << "the channel sounds again";
  EXPECT_LT(later.right.back(), -0.5f);
}

}  // namespace
