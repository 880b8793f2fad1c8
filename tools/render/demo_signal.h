// The built-in demo: a plucked-string riff made by Karplus-Strong synthesis, a few seconds of
// stereo at 44.1 kHz. Deterministic: the same samples on every run and machine.
#pragma once

#include <vector>

constexpr int kDemoSampleRate = 44100;
constexpr int kDemoChannels = 2;
constexpr float kDemoPeak = 0.5f;  // the riff is normalized to this peak, about -6 dBFS

// Interleaved stereo frames.
std::vector<float> synthesizeDemoRiff();
