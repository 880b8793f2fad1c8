#include "tools/render/preroll.h"

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "engine/engine_probe.h"

namespace {

// The smoothed values the signal path glides: drive, band mix, gain, tone frequency per channel.
struct SmoothedBits {
  explicit SmoothedBits(const OverdriveEngine& engine)
      : SmoothedBits(EngineProbe::snapshot(engine)) {}
  explicit SmoothedBits(const EngineSnapshot& e)
      : values{e.drive, e.bandMix, e.gain, e.left.toneFreq, e.right.toneFreq} {}
  bool operator==(const SmoothedBits& other) const {
    return std::memcmp(values, other.values, sizeof values) == 0;
  }
  float values[5];
};

}  // namespace

int64_t overdriveSettlingFrames(const std::vector<float>& values, float sampleRate,
                                int32_t blockSize) {
  OverdriveEngine engine;
  if (!engine.complete()) throw std::runtime_error("out of memory measuring the pre-roll");
  for (size_t i = 0; i < values.size(); ++i)
    engine.setParameter(static_cast<int32_t>(i), values[i]);
  std::vector<float> silence(blockSize), sink(blockSize);
  float* inputs[2] = {silence.data(), silence.data()};
  float* outputs[2] = {sink.data(), sink.data()};
  const auto longest = static_cast<int64_t>(std::ceil(kLongestPrerollSeconds * sampleRate));
  int64_t frames = 0;
  while (frames < longest) {
    const SmoothedBits before(engine);
    engine.processReplacing(inputs, outputs, blockSize);
    if (SmoothedBits(engine) == before) break;
    frames += blockSize;
  }
  return frames;
}
