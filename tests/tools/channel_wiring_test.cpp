// How vorra-render wires a file's channels to plug-ins of other layouts, through the program and
// the layout test plug-ins: each taken layout's outputs say which inputs reached them, and every
// other layout is refused before any file is touched.
#include <gtest/gtest.h>

#include <functional>

#include "tool_run.h"

namespace {

std::string layoutPlugin(const char* layout) {
  return std::string(LAYOUT_PLUGIN_DIR) + "/layout_" + layout + ".so";
}

// Output k of the layout plug-ins is (k + 1) x input k + 0.25 x input k + 1 (inputs wrapping).
float pins(int k, float first, float second) { return (k + 1) * first + 0.25f * second; }

TEST(RenderChannelWiring, EachTakenLayoutFeedsTheObviousPins) {
  using Frame = std::function<std::vector<float>(float, float)>;  // file frame to output frame
  const struct {
    const char* layout;
    int fileChannels;
    Frame expected;
  } cases[] = {
      // The side-chain of each channel's instance is keyed by that channel.
      {"2x1", 2, [](float l, float r) { return std::vector<float>{pins(0, l, l), pins(0, r, r)}; }},
      {"2x1", 1, [](float m, float) { return std::vector<float>{pins(0, m, m)}; }},
      {"1x2", 1, [](float m, float) { return std::vector<float>{pins(0, m, m), pins(1, m, m)}; }},
      // The third input, a side-chain, hears the mean of the channels.
      {"3x2", 2,
       [](float l, float r) {
         return std::vector<float>{pins(0, l, r), pins(1, r, 0.5f * (l + r))};
       }},
  };
  ScratchDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.layout) + ", " + std::to_string(c.fileChannels) + " channels");
    const Audio input = testSignal(c.fileChannels, 500);
    writeAudio(dir / "in.wav", input);
    const ToolRun run = runTool({"--plugin", layoutPlugin(c.layout), dir / "in.wav", dir / "out.wav"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<float> expected;
    for (size_t f = 0; f < 500; ++f) {
      const float* frame = &input.samples[f * c.fileChannels];
      const std::vector<float> out = c.expected(frame[0], frame[c.fileChannels - 1]);
      expected.insert(expected.end(), out.begin(), out.end());
    }
    EXPECT_EQ(readAudio(dir / "out.wav").samples, expected);
  }
}

TEST(RenderChannelWiring, OtherLayoutsAreRefusedBeforeAnyFileIsTouched) {
  const struct {
    const char* layout;
    int fileChannels;
    const char* says;
  } cases[] = {
      {"0x2", 2, "has 0 inputs and 2 outputs; only"},  // an instrument
      {"0x2", 1, "has 0 inputs and 2 outputs; only"},
      {"2x6", 2, "has 2 inputs and 6 outputs; only"},
      {"1x2", 2, "has 1 input and 2 outputs: it takes mono files only"},
  };
  ScratchDir dir;
  writeAudio(dir / "mono.wav", testSignal(1, 500));
  writeAudio(dir / "stereo.wav", testSignal(2, 500));
  std::ofstream(dir / "kept.wav") << "an earlier render";
  const std::vector<std::string> before = dir.entries();
  for (const auto& c : cases) {
    const std::string plugin = layoutPlugin(c.layout);
    const ToolRun run = runTool({"--plugin", plugin, dir / (c.fileChannels == 1 ? "mono.wav" : "stereo.wav"),
                                 dir / "kept.wav"});
    EXPECT_NE(run.exitCode, 0) << c.layout;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find("plug-in '" + plugin + "' " + c.says), std::string::npos) << run.err;
    EXPECT_EQ(dir.entries(), before) << c.layout;
  }
  EXPECT_EQ(contentOf(dir / "kept.wav"), "an earlier render");
}

}  // namespace
