// The one way into the engine's state from outside the engine, for tests and the benchmark's
// reference chain: every state copied out as plain values, and set back. Hosts and the editor
// never use it; they see the parameters.
#pragma once

#include <cstdint>

#include "engine/overdrive_engine.h"

// One channel's filter states and its tone smoother, as ChannelState holds them.
struct ChannelSnapshot {
  float toneLow, toneBand, toneHigh, toneFreq, toneFreqFeed;
  float splitLow, splitBand, splitHigh;
  float post1, post2;
};

// Everything a block reads or leaves behind. Plain floats without padding: two snapshots hold
// the same state exactly when their bytes are equal.
struct EngineSnapshot {
  ChannelSnapshot left, right;
  float drive, bandMix, gain;  // smoothed control values shared by both channels
  float peakLevel;
  float preAmpCubed, driveFeed, bandMixFeed, gainFeed;  // coefficients
  PostFilterCoefficients postFilter;
};

class EngineProbe {
 public:
  static EngineSnapshot snapshot(const OverdriveEngine& engine);
  // Stores every value of `state`, as if blocks and parameter changes had left it so. Another
  // thread may call it while a block runs, as a parameter change would.
  static void restore(OverdriveEngine& engine, const EngineSnapshot& state);

  static const float* shaperTable(const OverdriveEngine& engine) { return engine.shaperTable; }
  static const OverdriveProgram& program(const OverdriveEngine& engine, int32_t index) {
    return engine.programs[index];
  }
  // The bytes from the first to the last field a block touches.
  static const void* blockFieldsBegin(const OverdriveEngine& engine) { return &engine.driveFeed; }
  static const void* blockFieldsEnd(const OverdriveEngine& engine) {
    return &engine.shaperTable + 1;
  }
};
