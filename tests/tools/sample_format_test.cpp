// What vorra-render writes, sample by sample and byte by byte: integer samples rounded to nearest
// with seeded TPDF dither for 16 bits, the same bytes for the same command, and files that sox
// reads without a warning (the float WAV files of libsndfile lack the fmt chunk's extension size).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <complex>
#include <cstdlib>

#include "tool_run.h"

namespace {

// The file's samples as integers of its own width (16 or 24 bits).
std::vector<int32_t> integersOf(const std::string& path, int bits) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return {};
  std::vector<int32_t> samples(static_cast<size_t>(info.frames) * info.channels);
  sf_readf_int(file, samples.data(), info.frames);
  sf_close(file);
  for (int32_t& s : samples) s /= 1 << (32 - bits);
  return samples;
}

// The magnitude of `hz` in a signal of whole cycles, as a fraction of full scale.
double amplitudeAt(const std::vector<double>& signal, int rate, double hz) {
  std::complex<double> sum;
  for (size_t i = 0; i < signal.size(); ++i) {
    sum += signal[i] * std::polar(1.0, -2.0 * M_PI * hz * static_cast<double>(i) / rate);
  }
  return 2.0 * std::abs(sum) / static_cast<double>(signal.size());
}

class RenderSamples : public testing::Test {
 protected:
  // A 1 kHz sine at -85 dBFS, one second of 48 kHz mono: under two 16-bit steps.
  void SetUp() override {
    quiet = sineSignal(1, 48000, 48000, 1000, std::pow(10.0, -85.0 / 20.0));
    writeAudio(dir / "quiet.wav", quiet);
  }

  std::vector<int32_t> renderDry(std::vector<std::string> options, const std::string& name,
                                 int bits) {
    options.insert(options.begin(), "--dry");
    options.insert(options.end(), {dir / "quiet.wav", dir / name});
    const ToolRun run = runTool(options);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return integersOf(dir / name, bits);
  }

  ScratchDir dir;
  Audio quiet;
};

TEST_F(RenderSamples, IntegerSamplesWithoutDitherAreRoundedToNearest) {
  const struct {
    std::vector<std::string> options;
    const char* name;
    int bits;
  } cases[] = {
      {{"--format", "pcm16", "--no-dither"}, "out16.wav", 16},
      {{"--format", "pcm24"}, "out24.aiff", 24},
      {{}, "out24.flac", 24},
  };
  for (const auto& c : cases) {
    const std::vector<int32_t> out = renderDry(c.options, c.name, c.bits);
    ASSERT_EQ(out.size(), quiet.samples.size()) << c.name;
    int wrong = 0;
    for (size_t i = 0; i < out.size(); ++i) {
      wrong += out[i] != std::nearbyint(std::ldexp(quiet.samples[i], c.bits - 1));
    }
    EXPECT_EQ(wrong, 0) << c.name;
  }
}

// The dither leaves no offset and no harmonics a listener could pick out: truncation gives an
// offset of half a step and harmonics at -22 dBc, plain rounding harmonics too.
TEST_F(RenderSamples, SixteenBitOutputIsDitheredWithoutOffsetOrHarmonics) {
  const std::vector<int32_t> out = renderDry({"--format", "pcm16"}, "out.wav", 16);
  ASSERT_EQ(out.size(), quiet.samples.size());
  std::vector<double> steps(out.size()), error(out.size());
  double offset = 0.0, largest = 0.0;
  for (size_t i = 0; i < out.size(); ++i) {
    steps[i] = out[i];
    error[i] = out[i] - quiet.samples[i] * 32768.0;
    offset += error[i] / static_cast<double>(out.size());
    largest = std::max(largest, std::fabs(error[i]));
  }
  EXPECT_LT(std::fabs(offset), 0.02) << "steps";
  EXPECT_LT(largest, 1.5) << "steps: TPDF of one step, then rounding";
  const double fundamental = amplitudeAt(steps, 48000, 1000);
  for (double harmonic : {2000.0, 3000.0}) {
    EXPECT_LT(20.0 * std::log10(amplitudeAt(steps, 48000, harmonic) / fundamental), -40.0)
        << harmonic << " Hz";
  }
  EXPECT_NE(out, renderDry({"--format", "pcm16", "--no-dither"}, "plain.wav", 16));
}

// Each format rendered twice, a second apart: the same bytes.
TEST_F(RenderSamples, TheSameCommandWritesTheSameBytes) {
  const std::vector<std::vector<std::string>> outputs = {
      {"float.wav"}, {"float.aiff"}, {"pcm24.flac"}, {"double.wav", "--format", "double"},
      {"pcm16.wav", "--format", "pcm16"}};
  auto renderAll = [&](const std::string& suffix) {
    for (const auto& o : outputs) {
      std::vector<std::string> args(o.begin() + 1, o.end());
      args.insert(args.end(), {"--program", "Drive", dir / "quiet.wav", dir / (suffix + o[0])});
      ASSERT_EQ(runTool(args).exitCode, 0);
    }
  };
  renderAll("first-");
  sleep(1);
  renderAll("second-");
  for (const auto& o : outputs) {
    const std::string first = contentOf(dir / ("first-" + o[0]));
    EXPECT_GT(first.size(), 10000u);
    EXPECT_TRUE(first == contentOf(dir / ("second-" + o[0]))) << o[0];
  }
}

TEST_F(RenderSamples, SoxReadsEveryOutputWithoutAWarning) {
  if (std::system("command -v sox >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "sox is not installed (scripts/install-deps.sh test installs it)";
  }
  for (const char* format : {"float", "double", "pcm16", "pcm24", "pcm32"}) {
    for (const char* extension : {".wav", ".aiff"}) {
      const std::string out = dir / (std::string(format) + extension);
      ASSERT_EQ(runTool({"--format", format, dir / "quiet.wav", out}).exitCode, 0);
      const std::string said = dir / "sox.txt";
      EXPECT_EQ(std::system(("sox '" + out + "' -n stat 2>'" + said + "'").c_str()), 0);
      const std::string text = contentOf(said);
      EXPECT_EQ(text.find("WARN"), std::string::npos) << out << ": " << text;
      const auto count = text.find("Samples read:");
      ASSERT_NE(count, std::string::npos) << text;
      EXPECT_EQ(std::stol(text.substr(count + 13)), 96000) << "a mono file becomes stereo";
    }
  }
}

}  // namespace
