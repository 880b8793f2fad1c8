// What the VST3 face adds to the cross-format table. The factory names the class by its fixed
// id on both platforms. Changes that reach the processor only through its queues take effect at
// their sample offsets: a block with changes inside it sounds as the VST2 file's blocks split
// there, with the changes between them. Controller and component are one object over one engine:
// after a session moves into a fresh instance the controller shows exactly what the component's
// state holds, and a state the engine refuses changes neither.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "engine/overdrive_engine.h"
#include "support/plugin_file.h"
#include "support/split_mix.h"
#include "tools/hosting/vst3_session.h"
#include "vst3/parameter_ids.h"

namespace {

class Vst3Face : public testing::Test {
 protected:
  Vst3Bundle bundle{builtTreeRoot() + "Vorra OverDrive.vst3"};
};

// As hosts on either platform print and store it.
TEST_F(Vst3Face, TheFactoryDescribesTheClassUnderItsFixedId) {
  const Vst3ClassInfo& effect = bundle.effectClass();
  EXPECT_EQ(classIdText(effect.classId), "08973D595874CBBAEDEE36EAEB0FB013");
  EXPECT_EQ(effect.name, "Vorra OverDrive");
  EXPECT_EQ(effect.vendor, "Tonquill");
  EXPECT_EQ(effect.category, "Fx|Distortion");
  EXPECT_TRUE(bundle.openSession()->isOverdrive());
}

struct Point {
  int32_t block;
  v3_param_id id;
  int32_t offset;
  double value;
};

TEST_F(Vst3Face, ChangesInABlockTakeEffectAtTheirOffsets) {
  const std::vector<int32_t> blocks = {1024, 512};
  // A program and a value at one offset: the value wins.
  const std::vector<Point> points = {{0, 2, 300, 0.9},
                                     {0, 4, 512, 0.3},
                                     {0, 3, 512, 1.0},
                                     {1, 0, 0, 0.4},
                                     {1, kProgramChangeId, 100, 1.0},
                                     {1, 5, 100, 0.8}};
  SplitMix random{7};
  std::vector<float> input(2 * 1536);
  for (float& sample : input) sample = random.unit() - 0.5f;

  // The VST2 file: the same frames in blocks cut at the offsets, the changes between them.
  const auto reference = openPluginFile(builtPluginPath());
  const auto vst2 = reference->newInstance();
  vst2->setProgram(2);
  vst2->start(48000.0f, 1024);
  std::vector<float> expected(input.size());
  const int32_t cuts[] = {0, 300, 512, 1024, 1124, 1536};
  for (size_t part = 0; part + 1 < std::size(cuts); ++part) {
    const int32_t from = cuts[part], frames = cuts[part + 1] - cuts[part];
    const int32_t block = from < 1024 ? 0 : 1, offset = from - (block ? 1024 : 0);
    for (const Point& p : points) {
      if (p.block != block || p.offset != offset) continue;
      if (p.id == kProgramChangeId) vst2->setProgram(programOf(p.value));
    }
    for (const Point& p : points) {
      if (p.block == block && p.offset == offset && p.id != kProgramChangeId)
        vst2->setParameter(static_cast<int32_t>(p.id), static_cast<float>(p.value));
    }
    float* in[2] = {&input[from], &input[1536 + from]};
    float* out[2] = {&expected[from], &expected[1536 + from]};
    vst2->processReplacing(in, out, frames);
  }

  // The VST3 bundle: two blocks, the changes only in the processor's queues.
  const auto vst3 = bundle.openSession();
  vst3->setProgram(2);
  vst3->start(48000.0f, 1024);
  v3_audio_processor** processor = nullptr;
  ASSERT_TRUE(queryOf(vst3->component(), v3_audio_processor_iid, &processor));
  std::vector<float> actual(input.size());
  ParameterChanges reported;
  for (int32_t block = 0, from = 0; block < 2; from += blocks[block++]) {
    ParameterChanges changes;
    for (const Point& p : points)
      if (p.block == block) changes.add(p.id, p.offset, p.value);
    float* in[2] = {&input[from], &input[1536 + from]};
    float* out[2] = {&actual[from], &actual[1536 + from]};
    v3_audio_bus_buffers inBus{2, 0, {in}}, outBus{2, 0, {out}};
    v3_process_data data{};
    data.process_mode = V3_OFFLINE;
    data.symbolic_sample_size = V3_SAMPLE_32;
    data.nframes = blocks[block];
    data.num_input_buses = data.num_output_buses = 1;
    data.inputs = &inBus;
    data.outputs = &outBus;
    data.input_params = changes.changes();
    data.output_params = reported.changes();
    ASSERT_EQ(tableOf<v3_audio_processor_cpp>(processor).proc.process(processor, &data), V3_OK);
  }
  releaseOf(processor);
  EXPECT_EQ(std::memcmp(actual.data(), expected.data(), sizeof(float) * input.size()), 0);

  // The program's values, with the value sent beside it, go back to the host at its offset.
  ASSERT_EQ(reported.queues().size(), static_cast<size_t>(kParameterCount));
  for (const ParameterQueue& queue : reported.queues()) {
    ASSERT_EQ(queue.points().size(), 1u);
    EXPECT_EQ(queue.points()[0].first, 100);
    EXPECT_EQ(queue.points()[0].second, vst3->parameter(static_cast<int32_t>(queue.id())));
  }
  EXPECT_EQ(vst3->parameter(5), 0.8f);
}

// The component's state as an engine of the test's own reads it.
struct HeldValues {
  float values[kParameterCount];
  int32_t program;
};

HeldValues componentValues(Vst3Session& session) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(session.componentState(bytes));
  OverdriveEngine engine;
  EXPECT_TRUE(engine.loadState(bytes.data(), bytes.size()));
  HeldValues held{};
  for (int32_t i = 0; i < kParameterCount; ++i) held.values[i] = engine.parameter(i);
  held.program = engine.currentProgram();
  return held;
}

TEST_F(Vst3Face, ControllerAndComponentAgreeAfterAStateRoundTrip) {
  const auto original = bundle.openSession();
  original->setProgram(1);
  original->setParameter(4, 0.37f);
  std::vector<uint8_t> session;
  ASSERT_TRUE(original->saveState(session));

  const auto restored = bundle.openSession();
  ASSERT_TRUE(restored->loadState(session));
  const HeldValues held = componentValues(*restored);
  EXPECT_EQ(held.program, 1);
  EXPECT_EQ(held.values[4], 0.37f);
  EXPECT_EQ(restored->program(), held.program);
  for (int32_t i = 0; i < kParameterCount; ++i)
    EXPECT_EQ(restored->parameter(i), held.values[i]) << i;
}

TEST_F(Vst3Face, AStateTheEngineRefusesChangesNothing) {
  std::vector<uint8_t> good;
  ASSERT_TRUE(bundle.openSession()->saveState(good));
  // The saved session is the component's state after its 4-byte size, then the controller's.
  std::vector<uint8_t> badTag = good, shorter = good, longer = good;
  badTag[4] ^= 0xFF;
  --shorter[0];
  shorter.erase(shorter.begin() + 4);
  ++longer[0];
  longer.insert(longer.begin() + 4, 0);

  const auto instance = bundle.openSession();
  instance->setProgram(2);
  instance->setParameter(0, 0.61f);
  std::vector<uint8_t> before, after;
  ASSERT_TRUE(instance->componentState(before));
  for (const auto* refused : {&badTag, &shorter, &longer}) {
    EXPECT_FALSE(instance->loadState(*refused));
    ASSERT_TRUE(instance->componentState(after));
    EXPECT_EQ(after, before);
    EXPECT_EQ(instance->parameter(0), 0.61f);
    EXPECT_EQ(instance->program(), 2);
  }
}

}  // namespace
