// Every format's plug-in file against the VST2 file of the same tree, through the hosting
// library as a host would drive them: the same program, settings and blocks (parameter changes
// between blocks, at a block's first frame) give the same output bits; every parameter shows the
// same texts; and where the format saves sessions, one saved from an instance and loaded into a
// fresh one sounds as a fresh one set by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/plugin_file.h"
#include "support/split_mix.h"
#include "tools/hosting/hosted_plugin.h"

namespace {

// The formats built in this tree beside the VST2 file, by the location a host opens.
struct FormatUnderTest {
  const char* name;
  const char* location;    // relative to the tree's root
  bool showsTexts = true;  // false where the format carries no display texts (LV2's numbers)
};
const std::vector<FormatUnderTest> kFormats = {
#ifdef VORRA_TEST_CLAP
    {"CLAP", "Vorra OverDrive.clap"},
#endif
#ifdef VORRA_TEST_VST3
    {"VST3", "Vorra OverDrive.vst3"},
#endif
#ifdef VORRA_TEST_LV2
    {"LV2", "vorra-overdrive.lv2", false},
#endif
};

// CTest lists a case by the format's name.
void PrintTo(const FormatUnderTest& format, std::ostream* out) { *out << format.name; }

struct Change {
  int32_t beforeBlock;  // applied between blocks, before this one
  int32_t index;
  float value;
};

struct Case {
  const char* name;
  int32_t program;               // -1 keeps "Reset"
  std::vector<Change> settings;  // before the first block and between blocks
  std::vector<int32_t> blocks;   // frames per block, in turn
};

const std::vector<Case>& cases() {
  static const std::vector<Case> list = {
      {"Reset, blocks of 1", -1, {}, std::vector<int32_t>(300, 1)},
      {"Drive, blocks of 64", 2, {}, std::vector<int32_t>(40, 64)},
      {"Boost, blocks of 512 with x100 at exactly 0.5", 1, {}, std::vector<int32_t>(12, 512)},
      {"Drive with moves between uneven blocks",
       2,
       {{0, 2, 0.7f}, {2, 3, 0.75f}, {3, 0, 0.2f}, {5, 4, 1.0f}, {6, 5, 0.25f}, {7, 1, 0.9f}},
       {1000, 7, 4096, 333, 1, 512, 64, 2048}},
      {"values beyond the range",
       -1,
       {{0, 1, 1.5f}, {0, 2, -0.25f}, {1, 5, 2.0f}},
       {256, 256, 256, 256}},
  };
  return list;
}

uint32_t bitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Formats pad names differently (VST2 to 10 characters); the words must agree.
std::string trimmedText(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? ""
                                    : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Noise in [-0.7, 0.7) with a loud stretch, the same for every format.
std::vector<float> signal(size_t frames) {
  SplitMix random{2026};
  std::vector<float> samples(2 * frames);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = (random.unit() * 1.4f - 0.7f) * (i / 2 % 3000 < 500 ? 1.4f : 1.0f);
  return samples;
}

void applyChanges(HostedPlugin& plugin, const Case& c, int32_t beforeBlock) {
  for (const Change& change : c.settings) {
    if (change.beforeBlock == beforeBlock) plugin.setParameter(change.index, change.value);
  }
}

void select(HostedPlugin& plugin, const Case& c) {
  if (c.program >= 0) plugin.setProgram(c.program);
  applyChanges(plugin, c, 0);
}

// Both channels of every block, one after the other.
std::vector<float> render(HostedPlugin& plugin, const Case& c, bool selectFirst = true) {
  if (selectFirst) select(plugin, c);
  size_t total = 0;
  int32_t largest = 1;
  for (int32_t frames : c.blocks) {
    total += static_cast<size_t>(frames);
    largest = std::max(largest, frames);
  }
  const std::vector<float> in = signal(total);
  plugin.start(44100.0f, largest);
  std::vector<float> inLeft(largest), inRight(largest), outLeft(largest), outRight(largest);
  std::vector<float> out;
  size_t at = 0;
  for (size_t block = 0; block < c.blocks.size(); ++block) {
    if (block > 0) applyChanges(plugin, c, static_cast<int32_t>(block));
    const int32_t frames = c.blocks[block];
    for (int32_t f = 0; f < frames; ++f) {
      inLeft[f] = in[2 * (at + f)];
      inRight[f] = in[2 * (at + f) + 1];
    }
    float* inputs[2] = {inLeft.data(), inRight.data()};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    plugin.processReplacing(inputs, outputs, frames);
    out.insert(out.end(), outLeft.begin(), outLeft.begin() + frames);
    out.insert(out.end(), outRight.begin(), outRight.begin() + frames);
    at += static_cast<size_t>(frames);
  }
  plugin.stop();
  return out;
}

class Formats : public testing::TestWithParam<FormatUnderTest> {
 protected:
  void SetUp() override {
    reference = openPluginFile(builtPluginPath());
    format = openPluginFile(builtTreeRoot() + GetParam().location);
  }
  std::unique_ptr<PluginFile> reference, format;
};

TEST_P(Formats, SameProgramsSettingsAndBlocksGiveTheVst2FilesBits) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    const auto expected = render(*reference->newInstance(), c);
    const auto actual = render(*format->newInstance(), c);
    ASSERT_EQ(actual.size(), expected.size());
    size_t differing = 0;
    for (size_t i = 0; i < expected.size(); ++i)
      differing += bitsOf(actual[i]) != bitsOf(expected[i]);
    EXPECT_EQ(differing, 0u) << "of " << expected.size() << " samples";
  }
}

TEST_P(Formats, ParametersAndProgramsShowTheVst2Texts) {
  const auto vst2 = reference->newInstance();
  const auto other = format->newInstance();
  ASSERT_EQ(other->parameterCount(), vst2->parameterCount());
  EXPECT_EQ(other->programNames(), vst2->programNames());
  for (int32_t i = 0; i < vst2->parameterCount(); ++i) {
    EXPECT_EQ(trimmedText(other->parameterName(i)), trimmedText(vst2->parameterName(i)));
    for (float value : {0.0f, 0.33f, 0.5f, 0.7f, 0.999f, 1.0f}) {
      vst2->setParameter(i, value);
      other->setParameter(i, value);
      if (GetParam().showsTexts) {
        EXPECT_EQ(other->parameterDisplay(i), vst2->parameterDisplay(i)) << i << " at " << value;
      }
      EXPECT_EQ(other->parameter(i), value);
    }
  }
}

TEST_P(Formats, ASavedSessionSoundsTheSameInAFreshInstance) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    const auto original = format->newInstance();
    select(*original, c);
    std::vector<uint8_t> session;
    ASSERT_TRUE(original->saveState(session));
    const auto restored = format->newInstance();
    ASSERT_TRUE(restored->loadState(session));
    for (int32_t i = 0; i < original->parameterCount(); ++i)
      EXPECT_EQ(restored->parameter(i), original->parameter(i)) << i;
    EXPECT_EQ(restored->program(), original->program());
    const auto byHand = format->newInstance();
    EXPECT_EQ(render(*restored, c, false), render(*byHand, c));
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, Formats, testing::ValuesIn(kFormats),
                         [](const testing::TestParamInfo<FormatUnderTest>& info) {
                           return std::string(info.param.name);
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Formats);

}  // namespace
