// What the manual's pictures show, measured on the engine itself through its record.
#pragma once

#include <cstdint>
#include <vector>

constexpr double kManualSampleRate = 44100.0;

struct LevelPoint {
  double input;   // peak of the sine fed in
  double output;  // peak of what came out once the smoothers had settled
};

// Output peak against input peak for a 1 kHz sine, with program `program` loaded.
std::vector<LevelPoint> levelCurve(int32_t program, int points);

struct SpectrumLine {
  double frequency;  // hertz
  double level;      // decibels relative to the strongest line
};

// Spectrum of a sine of peak `amplitude` through program `program`, Hann-windowed.
std::vector<SpectrumLine> sineSpectrum(int32_t program, float amplitude, double* sineFrequency);
