// What the benchmarks feed and drive: rings of stereo noise, output buffers, and an overdrive
// instance created through the plug-in's entry, with the parameter moves of the cases.
#pragma once

#include <cstdint>
#include <vector>

#include "vst2/aeffect.h"

class OverdriveEngine;

constexpr int32_t kDriveProgram = 2;
constexpr double kSampleRate = 48000.0;

// A stereo buffer laid out as the host's channel pointers.
struct StereoBuffer {
  explicit StereoBuffer(int32_t frames);
  float** at(int32_t offset);

  std::vector<float> left, right;
  float* pointers[2];
};

// 65536 frames of uniform noise in [-level, level), handed out block after block.
class NoiseRing {
 public:
  static constexpr int32_t kFrames = 65536;
  NoiseRing(float level, uint64_t seed);
  // The next `frames` frames; `frames` must divide kFrames.
  float** next(int32_t frames);

 private:
  StereoBuffer samples_{kFrames};
  int32_t position_ = 0;
};

class OverdriveInstance {
 public:
  explicit OverdriveInstance(int32_t program);
  ~OverdriveInstance();
  OverdriveInstance(const OverdriveInstance&) = delete;
  OverdriveInstance& operator=(const OverdriveInstance&) = delete;

  // The plug-in's processReplacing, through its record.
  void process(float** inputs, float** outputs, int32_t frames);
  // The reference chain on the same instance's state.
  void processBaseline(float** inputs, float** outputs, int32_t frames);
  // One step of automation: color, preAmp and postFilter sweep slowly around the program.
  void moveParameters();

  OverdriveEngine& engine();

 private:
  AEffect* record_;
  int32_t moves_ = 0;
};
