#include "editor/manual/measurements.h"

#include <algorithm>
#include <cmath>

#include "engine/overdrive_engine.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSettleFrames = 48000;  // twelve time constants of the smoothers
constexpr int kFftSize = 4096;
constexpr int kSineBin = 93;  // 1001.3 Hz, a whole number of periods in the window

// Runs a sine through a fresh instance until the smoothers have settled; returns the left
// channel's last `keep` output samples.
std::vector<float> run(int32_t program, float amplitude, double frequency, int keep) {
  OverdriveEngine engine;
  engine.loadProgram(program);
  const int total = kSettleFrames + keep;
  std::vector<float> left(total), right(total), outLeft(total), outRight(total);
  for (int i = 0; i < total; ++i) {
    left[i] = right[i] =
        static_cast<float>(amplitude * std::sin(2.0 * kPi * frequency * i / kManualSampleRate));
  }
  for (int start = 0; start < total; start += 512) {
    const int frames = std::min(512, total - start);
    float* inputs[2] = {&left[start], &right[start]};
    float* outputs[2] = {&outLeft[start], &outRight[start]};
    engine.processReplacing(inputs, outputs, frames);
  }
  return std::vector<float>(outLeft.end() - keep, outLeft.end());
}

}  // namespace

std::vector<LevelPoint> levelCurve(int32_t program, int points) {
  std::vector<LevelPoint> curve;
  for (int i = 0; i <= points; ++i) {
    const float amplitude = static_cast<float>(i) / static_cast<float>(points);
    const std::vector<float> out = run(program, amplitude, 1000.0, 4410);
    double peak = 0.0;
    for (float sample : out) peak = std::max(peak, std::fabs(static_cast<double>(sample)));
    curve.push_back({amplitude, peak});
  }
  return curve;
}

std::vector<SpectrumLine> sineSpectrum(int32_t program, float amplitude, double* sineFrequency) {
  *sineFrequency = kSineBin * kManualSampleRate / kFftSize;
  const std::vector<float> out = run(program, amplitude, *sineFrequency, kFftSize);
  std::vector<double> magnitude(kFftSize / 2);
  for (int k = 1; k < kFftSize / 2; ++k) {
    double re = 0.0, im = 0.0;
    for (int n = 0; n < kFftSize; ++n) {
      const double window = 0.5 - 0.5 * std::cos(2.0 * kPi * n / kFftSize);
      const double phase = 2.0 * kPi * k * n / kFftSize;
      re += out[n] * window * std::cos(phase);
      im -= out[n] * window * std::sin(phase);
    }
    magnitude[k] = std::hypot(re, im);
  }
  const double strongest = *std::max_element(magnitude.begin(), magnitude.end());
  std::vector<SpectrumLine> lines;
  for (int k = 1; k < kFftSize / 2; ++k) {
    const double level = 20.0 * std::log10(std::max(magnitude[k] / strongest, 1e-9));
    lines.push_back({k * kManualSampleRate / kFftSize, level});
  }
  return lines;
}
