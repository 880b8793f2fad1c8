// The validator's host: loads the plug-in file, creates instances through its entry and drives
// them only through their records. The callback keeps no shared state, so any number of
// instances on any threads may use it.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/chain_constants.h"
#include "support/plugin_file.h"
#include "tools/hosting/host_callback.h"

constexpr int32_t kParameterCount = 6;
constexpr int32_t kProgramCount = 3;

// Two channels of input and output, laid out as the host's channel pointers.
struct StereoBlock {
  explicit StereoBlock(size_t frames)
      : inLeft(frames), inRight(frames), outLeft(frames), outRight(frames) {}

  size_t frames() const { return inLeft.size(); }
  float** inputs() {
    in[0] = inLeft.data();
    in[1] = inRight.data();
    return in;
  }
  float** outputs() {
    out[0] = outLeft.data();
    out[1] = outRight.data();
    return out;
  }
  void fillNoise(std::mt19937& random, float amplitude) {
    std::uniform_real_distribution<float> sample(-amplitude, amplitude);
    for (size_t i = 0; i < frames(); ++i) {
      inLeft[i] = sample(random);
      inRight[i] = sample(random);
    }
  }

  std::vector<float> inLeft, inRight, outLeft, outRight;
  float* in[2];
  float* out[2];
};

enum class Entry { replacing, accumulating };

// One instance, closed when it goes out of scope.
class Instance {
 public:
  explicit Instance(PluginEntry entry) : record(entry ? entry(answeringHost<>) : nullptr) {}
  ~Instance() { close(); }
  Instance(const Instance&) = delete;
  Instance& operator=(const Instance&) = delete;

  void close() {
    if (record) dispatch(effClose);
    record = nullptr;
  }

  intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f) {
    return record->dispatcher(record, opcode, index, value, ptr, opt);
  }
  void set(int32_t index, float value) { record->setParameter(record, index, value); }
  float get(int32_t index) { return record->getParameter(record, index); }

  // A text answer in a buffer of `size` bytes; the guard bytes after it must stay intact.
  std::string text(int32_t opcode, int32_t index, size_t size) {
    std::vector<char> buffer(size + 16, '\x5a');
    dispatch(opcode, index, 0, buffer.data());
    for (size_t i = size; i < buffer.size(); ++i)
      EXPECT_EQ(buffer[i], '\x5a') << "opcode " << opcode << " wrote past " << size << " bytes";
    EXPECT_NE(std::memchr(buffer.data(), 0, size), nullptr) << "opcode " << opcode;
    return std::string(buffer.data(), strnlen(buffer.data(), size));
  }
  std::string programName() { return text(effGetProgramName, 0, 24); }

  void run(StereoBlock& block, Entry entry, float** outputs = nullptr) {
    const AEffectProcessProc call =
        entry == Entry::replacing ? record->processReplacing : record->process;
    call(record, block.inputs(), outputs ? outputs : block.outputs(),
         static_cast<int32_t>(block.frames()));
  }

  AEffect* record;
};

// Every sample finite and within the output bound.
inline ::testing::AssertionResult finiteAndBounded(const std::vector<float>& samples) {
  for (size_t i = 0; i < samples.size(); ++i) {
    if (!std::isfinite(samples[i]) || std::fabs(samples[i]) > kFinalValueBound)
      return ::testing::AssertionFailure() << "sample " << i << " is " << samples[i];
  }
  return ::testing::AssertionSuccess();
}

// Exact equality, NaN patterns included.
inline bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
}

// A fixture holding the loaded plug-in file.
class ValidatorTest : public ::testing::Test {
 protected:
  BuiltPlugin plugin;
  std::mt19937 random{20240611};
};
