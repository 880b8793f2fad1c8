// The pre-roll: a render sounds as its settings ask from the first sample, because silence runs
// through the plug-in first, for Vorra OverDrive exactly until its smoothed values settle.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "tool_run.h"

namespace {

double dB(float ratio) { return 20.0 * std::log10(static_cast<double>(ratio)); }

std::string seconds(int64_t frames, int rate) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9f", static_cast<double>(frames) / rate);
  return text;
}

class RenderPreroll : public testing::Test {
 protected:
  void SetUp() override { writeAudio(dir / "sine.wav", sineSignal(2, kFrames, kRate, 1000, 0.25)); }

  // Renders the sine with `options` and returns the output; `summary` receives stdout.
  Audio render(std::vector<std::string> options, std::string* summary = nullptr) {
    options.insert(options.begin(), {"--plugin", OVERDRIVE_PLUGIN});
    options.insert(options.end(), {dir / "sine.wav", dir / "out.wav"});
    const ToolRun run = runTool(options);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    if (summary) *summary = run.out;
    return readAudio(dir / "out.wav");
  }

  static constexpr int kRate = 44100;
  static constexpr int kFrames = 66150;  // 1.5 s
  ScratchDir dir;
};

// A 1 kHz sine at -12 dBFS: between 5 and 15 ms (past the filters' answer to the sine's onset)
// its peak is the steady one of 1.0 to 1.1 s; without pre-roll it starts several dB louder, and
// PostGain 0 is silent from the start only with pre-roll.
TEST_F(RenderPreroll, TheFirstMillisecondsSoundAsTheSettingsAsk) {
  std::string summary;
  const Audio drive = render({"--program", "Drive"}, &summary);
  EXPECT_GT(prerollIn(summary), 0) << summary;
  EXPECT_NEAR(dB(peakBetween(drive, 0.005, 0.015) / peakBetween(drive, 1.0, 1.1)), 0.0, 0.1);

  const Audio glide = render({"--program", "Drive", "--no-preroll"}, &summary);
  EXPECT_EQ(prerollIn(summary), 0) << summary;
  EXPECT_GT(dB(peakBetween(glide, 0.005, 0.015) / peakBetween(glide, 1.0, 1.1)), 3.0);

  EXPECT_LT(peakBetween(render({"--program", "Drive", "--set", "PostGain=0"}), 0.0, 1.5), 1e-20f);
  EXPECT_GT(peakBetween(render({"--program", "Drive", "--set", "PostGain=0", "--no-preroll"}),
                        0.0, 0.1),
            0.1f);
}

// The measured pre-roll is the shortest that gives the settled sound: ten seconds more change no
// bit, one block less does.
TEST_F(RenderPreroll, MeasuredLengthIsWhereTheSmoothedValuesStopChanging) {
  for (const char* program : {"Reset", "Drive"}) {
    std::string summary;
    const Audio measured = render({"--program", program, "--block", "256"}, &summary);
    const int64_t frames = prerollIn(summary);
    ASSERT_GT(frames, 0) << summary;
    EXPECT_EQ(frames % 256, 0) << "whole blocks";
    EXPECT_EQ(render({"--program", program, "--block", "256", "--preroll",
                      seconds(frames + 10 * kRate, kRate)})
                  .samples,
              measured.samples)
        << program;
    EXPECT_NE(render({"--program", program, "--block", "256", "--preroll",
                      seconds(frames - 256, kRate)})
                  .samples,
              measured.samples)
        << program;
  }
}

TEST_F(RenderPreroll, OtherPluginsGetTwoSecondsOrWhatIsAsked) {
  for (const auto& [option, says] : {std::pair<std::string, std::string>{"--block=512", "pre-roll 88200 frames (2.000 s)"},
                                     {"--preroll=0.5", "pre-roll 22050 frames (0.500 s)"}}) {
    const ToolRun run = runTool({"--plugin", MONO_GAIN_PLUGIN, option, dir / "sine.wav", dir / "o.wav"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find(says), std::string::npos) << run.out;
  }
}

}  // namespace
