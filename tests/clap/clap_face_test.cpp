// The CLAP face through its file where HostedPlugin does not reach: parameter events inside a
// block and past its end, the program parameter with the values it reports, and state the
// engine refuses or a stream hands out piecemeal.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "clap/plugin_identity.h"
#include "support/plugin_file.h"
#include "support/split_mix.h"
#include "tools/hosting/clap_byte_streams.h"
#include "tools/hosting/clap_plugin_file.h"

namespace {

struct Event {
  clap_id id;
  double value;
  uint32_t frame;
};

struct Block {
  uint32_t frames;
  std::vector<Event> events;
};

// Both channels of every block, one after the other, from the same noise for every call.
std::vector<uint32_t> renderBits(ClapInstance& instance, const std::vector<Block>& blocks) {
  SplitMix random{7};
  instance.start(48000.0f, 4096);
  std::vector<uint32_t> bits;
  for (const Block& block : blocks) {
    std::vector<float> left(block.frames), right(block.frames);
    for (uint32_t i = 0; i < block.frames; ++i) {
      left[i] = random.unit() * 1.6f - 0.8f;
      right[i] = random.unit() * 1.6f - 0.8f;
    }
    for (const Event& event : block.events) instance.queueValue(event.id, event.value, event.frame);
    float* channels[2] = {left.data(), right.data()};
    instance.processReplacing(channels, channels, static_cast<int32_t>(block.frames));
    for (const std::vector<float>* channel : {&left, &right}) {
      for (float sample : *channel) {
        uint32_t b;
        std::memcpy(&b, &sample, sizeof b);
        bits.push_back(b);
      }
    }
  }
  instance.stop();
  return bits;
}

// The same frames cut differently; the first channel's samples are compared frame by frame.
std::vector<uint32_t> leftThenRight(const std::vector<uint32_t>& bits,
                                    const std::vector<Block>& blocks) {
  std::vector<uint32_t> left, right;
  size_t at = 0;
  for (const Block& block : blocks) {
    left.insert(left.end(), bits.begin() + at, bits.begin() + at + block.frames);
    right.insert(right.end(), bits.begin() + at + block.frames,
                 bits.begin() + at + 2 * block.frames);
    at += 2 * block.frames;
  }
  left.insert(left.end(), right.begin(), right.end());
  return left;
}

class ClapFace : public testing::Test {
 protected:
  std::vector<uint32_t> render(const std::vector<Block>& blocks) {
    return leftThenRight(renderBits(*file.newClapInstance(), blocks), blocks);
  }
  ClapPluginFile file{builtTreeRoot() + "Vorra OverDrive.clap"};
};

TEST_F(ClapFace, EventsInsideABlockTakeEffectAtTheirFrame) {
  const std::vector<Block> inside = {{600, {{2, 0.9, 250}, {3, 0.7, 400}, {0, 0.8, 400}}}};
  const std::vector<Block> cut = {
      {250, {}}, {150, {{2, 0.9, 0}}}, {200, {{3, 0.7, 0}, {0, 0.8, 0}}}};
  const std::vector<Block> atStart = {{600, {{2, 0.9, 0}, {3, 0.7, 0}, {0, 0.8, 0}}}};
  const auto split = render(inside);
  EXPECT_EQ(split, render(cut)) << "a change at frame n sounds as a block cut at n";
  EXPECT_NE(split, render(atStart));
}

TEST_F(ClapFace, EventsPastTheBlockTakeEffectAfterIt) {
  const auto late = render({{300, {{2, 0.9, 300}, {4, 0.6, 100000}}}, {300, {}}});
  EXPECT_EQ(late, render({{300, {}}, {300, {{2, 0.9, 0}, {4, 0.6, 0}}}}));
}

TEST_F(ClapFace, TheProgramParameterSelectsAProgramAndReportsItsValues) {
  const auto instance = file.newClapInstance();
  ASSERT_EQ(instance->programNames(), (std::vector<std::string>{"Reset", "Boost", "Drive"}));
  instance->queueValue(kProgramParameterId, 2.0, 0);
  instance->flush();
  EXPECT_EQ(instance->program(), 2);
  const auto expectSixValuesAt = [&](uint32_t frame) {
    ASSERT_EQ(instance->reported().size(), 6u);
    for (int32_t i = 0; i < 6; ++i) {
      const ReportedEvent& event = instance->reported()[i];
      EXPECT_EQ(event.type, CLAP_EVENT_PARAM_VALUE);
      EXPECT_EQ(event.id, static_cast<clap_id>(i));
      EXPECT_EQ(event.value, instance->parameter(i)) << i;
      EXPECT_EQ(event.time, frame);
    }
  };
  expectSixValuesAt(0);
  EXPECT_EQ(instance->parameter(0), 0.85f) << "Drive's PreBand";

  // Values that name no program change nothing and report nothing.
  instance->setParameter(0, 0.25f);
  for (double value : {3.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
    instance->queueValue(kProgramParameterId, value, 0);
    instance->flush();
    EXPECT_EQ(instance->program(), 2) << value;
    EXPECT_EQ(instance->parameter(0), 0.25f) << value;
    EXPECT_TRUE(instance->reported().empty()) << value;
  }

  // Inside a block, reported at the event's frame.
  instance->start(48000.0f, 256);
  std::vector<float> silence(256);
  float* channels[2] = {silence.data(), silence.data()};
  instance->queueValue(kProgramParameterId, 1.0, 128);
  instance->processReplacing(channels, channels, 256);
  EXPECT_EQ(instance->program(), 1);
  expectSixValuesAt(128);
}

TEST_F(ClapFace, AStateTheEngineRefusesLeavesTheInstanceAsItWas) {
  const auto instance = file.newClapInstance();
  instance->setProgram(1);
  instance->setParameter(2, 0.625f);
  std::vector<uint8_t> blob;
  ASSERT_TRUE(instance->saveState(blob));
  const auto other = file.newClapInstance();
  other->setParameter(5, 0.125f);
  std::vector<uint8_t> longer = blob, tagged = blob;
  longer.push_back(0);
  tagged[0] ^= 0x20;
  const std::vector<std::vector<uint8_t>> refused = {
      {}, std::vector<uint8_t>(blob.begin(), blob.end() - 1), longer, tagged};
  for (const auto& bytes : refused) {
    EXPECT_FALSE(other->loadState(bytes)) << bytes.size() << " bytes";
    EXPECT_EQ(other->program(), 0);
    EXPECT_EQ(other->parameter(5), 0.125f);
    EXPECT_EQ(other->parameter(2), 0.0f);
  }
  // A stream that hands out three bytes at a time still gives the whole blob.
  const auto* state = static_cast<const clap_plugin_state_t*>(
      other->plugin()->get_extension(other->plugin(), CLAP_EXT_STATE));
  ClapByteReader piecemeal(blob, 3);
  ASSERT_TRUE(state->load(other->plugin(), piecemeal.stream()));
  EXPECT_EQ(other->program(), 1);
  for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(other->parameter(i), instance->parameter(i)) << i;
  EXPECT_GT(other->host().rescans, 0u) << "the host is told to read the values again";
}

}  // namespace
