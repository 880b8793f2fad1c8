#include "tools/render/demo_signal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

struct Pluck {
  double beat;    // start, in eighth notes
  double length;  // how long the string rings before it is damped, in eighth notes
  int notes[3];   // MIDI note numbers; 0 for none
};

// A power-chord riff in E, two bars played twice, and a last chord left to ring.
constexpr Pluck kRiff[] = {
    {0, 1, {40, 47, 52}},   {1, 0.5, {40}},           {1.5, 0.5, {40}},     {2, 1, {43, 50, 55}},
    {3, 1, {45, 52, 57}},   {4, 1, {40, 47, 52}},     {5, 0.5, {40}},       {5.5, 0.5, {40}},
    {6, 0.5, {46, 53, 58}}, {6.5, 0.5, {45, 52, 57}}, {7, 1, {43, 50, 55}},
};
constexpr double kBarsBeats = 8.0;
constexpr double kSecondsPerBeat = 0.25;  // eighth notes at 120 beats per minute
constexpr double kStrumSeconds = 0.012;   // delay between the strings of one chord
constexpr double kRingBeats = 8.0;        // the closing chord, then damped
constexpr double kTailBeats = 2.0;        // silence after the damping
constexpr double kRingSeconds = 1.5;      // time constant of a ringing string
constexpr double kDampedSeconds = 0.015;  // and of a damped one

double noteFrequency(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// One string: a delay line of one period, filled with filtered noise, fed back through a
// two-point average with a loss per pass that makes every pitch decay at the same rate. After
// `ringFrames` the string is damped.
void pluckString(std::vector<double>& left, std::vector<double>& right, size_t start,
                 size_t ringFrames, int note, double pan, uint32_t& noise) {
  const auto period = static_cast<size_t>(std::lround(kDemoSampleRate / noteFrequency(note)));
  std::vector<double> line(period);
  double smoothed = 0.0;
  for (double& sample : line) {
    noise = noise * 1664525u + 1013904223u;
    const double white = static_cast<double>(noise >> 8) / 8388608.0 - 1.0;
    smoothed += 0.6 * (white - smoothed);
    sample = smoothed;
  }
  const size_t damped = static_cast<size_t>(10 * kDampedSeconds * kDemoSampleRate);
  const double ringLoss = std::exp(-double(period) / (kRingSeconds * kDemoSampleRate));
  const double dampedLoss = std::exp(-double(period) / (kDampedSeconds * kDemoSampleRate));
  const double leftGain = std::cos(pan * M_PI / 2), rightGain = std::sin(pan * M_PI / 2);
  for (size_t i = 0; i < ringFrames + damped && start + i < left.size(); ++i) {
    const size_t at = i % period;
    const double out = line[at];
    const double loss = i < ringFrames ? ringLoss : dampedLoss;
    line[at] = loss * 0.5 * (out + line[(at + 1) % period]);
    left[start + i] += leftGain * out;
    right[start + i] += rightGain * out;
  }
}

}  // namespace

std::vector<float> synthesizeDemoRiff() {
  const double totalBeats = 2 * kBarsBeats + kRingBeats + kTailBeats;
  const auto frames = static_cast<size_t>(totalBeats * kSecondsPerBeat * kDemoSampleRate);
  std::vector<double> left(frames), right(frames);
  uint32_t noise = 12345u;
  auto play = [&](double beat, double length, const int(&notes)[3]) {
    for (int s = 0; s < 3 && notes[s] != 0; ++s) {
      const double seconds = beat * kSecondsPerBeat + s * kStrumSeconds;
      const auto ring = static_cast<size_t>(length * kSecondsPerBeat * kDemoSampleRate);
      pluckString(left, right, static_cast<size_t>(seconds * kDemoSampleRate), ring, notes[s],
                  0.3 + 0.2 * s, noise);
    }
  };
  for (int pass = 0; pass < 2; ++pass) {
    for (const Pluck& p : kRiff) play(pass * kBarsBeats + p.beat, p.length, p.notes);
  }
  play(2 * kBarsBeats, kRingBeats, {40, 47, 52});

  double peak = 0.0;
  for (size_t i = 0; i < frames; ++i)
    peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
  std::vector<float> interleaved(frames * kDemoChannels);
  const double scale = peak > 0.0 ? kDemoPeak / peak : 0.0;
  for (size_t i = 0; i < frames; ++i) {
    interleaved[2 * i] = static_cast<float>(left[i] * scale);
    interleaved[2 * i + 1] = static_cast<float>(right[i] * scale);
  }
  return interleaved;
}
