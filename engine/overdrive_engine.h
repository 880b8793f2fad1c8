// The overdrive engine, which knows no plug-in format: six parameters, a program bank, the
// coefficients derived from the parameters, the smoothed control values, both channels' filter
// states, the meter and a hold on the library's shaper table. Every format holds one per instance
// and translates its host's calls into these few operations.
//
// Threads: parameters, programs and state may be changed on any thread while another processes;
// processing takes no lock. Every public operation computes in the default floating-point state,
// whatever the calling thread set (engine/float_environment.h).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "engine/channel_state.h"
#include "engine/parameter_descriptors.h"
#include "engine/program_bank.h"

// The post filter's pole and input weight: stored by one recomputation and read by the signal
// path as one 8-byte atomic unit, so that a frame never pairs one recomputation's pole with
// another's weight (one frame with the pole of PostFilter 1 and the weight of PostFilter 0 lifts
// a full-scale output to 2.26). Aligned to its size, so every compiler loads and stores it with
// one instruction instead of a library call.
struct alignas(8) PostFilterCoefficients {
  float postFeedback;
  float postInputWeight;
};

// The line size of the x86 processors the plug-in runs on.
constexpr size_t kCacheLine = 64;

// Told of every change of the parameter values (a parameter, a program, a state), after the new
// values are stored and before the coefficients follow them. Runs on the changing thread.
class ParameterListener {
 public:
  virtual void parametersChanged() = 0;

 protected:
  ~ParameterListener() = default;
};

class OverdriveEngine {
 public:
  static constexpr int32_t kProgramCount = 3;

  explicit OverdriveEngine(ParameterListener* listener = nullptr);
  ~OverdriveEngine();
  OverdriveEngine(const OverdriveEngine&) = delete;
  OverdriveEngine& operator=(const OverdriveEngine&) = delete;

  // Whether every allocation of the construction succeeded; an incomplete engine must not reach
  // a host.
  bool complete() const { return shaperTable && programs; }

  // Stores the value unclamped. An index outside the table stores nothing, yet the listener is
  // told and the coefficients are derived again, as for any change.
  void setParameter(int32_t index, float value);
  // 0 outside the table.
  float parameter(int32_t index) const;

  // Makes `program` current and loads its values; false, and nothing changes, outside the bank.
  // Unsaved changes of the current values are discarded: the bank is never written back.
  bool loadProgram(int32_t program);
  int32_t currentProgram() const { return current.load(std::memory_order_relaxed); }
  // At most 23 characters; null outside the bank.
  const char* programName(int32_t program) const;
  // The program named `name`, or -1.
  int32_t programIndexOf(const char* name) const;
  // Renames the current program, cut to 23 characters.
  void setProgramName(const char* name);

  // Two channels, replacing or adding to the outputs. Inputs and outputs may be the same
  // buffers; with 0 or fewer frames the buffer arrays are not read.
  void processReplacing(float** inputs, float** outputs, int32_t sampleFrames);
  void processAccumulating(float** inputs, float** outputs, int32_t sampleFrames);

  // The largest final value of the last block, never below 0.
  float meter() const { return peakLevel.load(std::memory_order_relaxed); }

  // Counts every change of the parameter values; a window compares it with what it last showed.
  uint32_t changeCount() const { return changes.load(std::memory_order_acquire); }

  // The session as bytes: the six values, the current program and the program names
  // (engine/engine_state.cpp). `save` writes kStateSize bytes; `load` refuses (false, nothing
  // changed) a blob of another size, tag or version, and takes non-finite values clamped.
  static constexpr size_t kStateSize = 108;
  void saveState(uint8_t (&bytes)[kStateSize]) const;
  bool loadState(const void* bytes, size_t size);

 private:
  // The engine's own parts, and the one seam tests and the reference chain use
  // (engine/engine_probe.h); nothing else reaches the state.
  friend struct CoefficientBits;
  friend struct Smoothers;
  friend void beginBlock(OverdriveEngine& engine);
  friend void endBlock(OverdriveEngine& engine);
  friend class EngineProbe;

  void storeProgramValues(int32_t program);
  void parametersStored();
  void recomputeCoefficients();
  void deriveCoefficients();
  template <bool accumulate>
  void processBlock(float** inputs, float** outputs, int32_t sampleFrames);
  template <bool accumulate>
  void processFrames(float** inputs, float** outputs, int32_t sampleFrames);  // at least 1

  ParameterListener* const listener;
  OverdriveProgram* programs = nullptr;  // owned; kProgramCount records
  std::atomic<int32_t> current{0};

  // Values that cross threads are atomic. Parameters and coefficients are stored on whichever
  // thread changes a parameter and read on the processing thread and by the host's queries;
  // each is stored and loaded on its own, relaxed (a plain move on x86): a reader sees one
  // store's value or a later one's, and the smoothers absorb any mix of them.

  // The current parameter values by index, stored unclamped.
  std::atomic<float> values[kParameterCount] = {};
  // Moves once the coefficients follow a change of `values`; a recomputation that finds it moved
  // by another starts again, so the last coefficients stored derive from the last values
  // (coefficients.cpp).
  std::atomic<uint32_t> changes{0};

  // Derived by recomputeCoefficients only; the feeds are their smoother's input per sample.
  std::atomic<float> preAmpCubed{0};
  // From driveFeed to shaperTable: every field a block reads or writes, in two cache lines of
  // their own. The alignment makes the whole object start and end on a line boundary, so
  // instances processed on different threads never share a line.
  alignas(kCacheLine) std::atomic<float> driveFeed{0};
  std::atomic<float> bandMixFeed{0};
  std::atomic<float> gainFeed{0};
  std::atomic<PostFilterCoefficients> postFilterCoefficients{PostFilterCoefficients{0, 0}};

  // Smoothed control values shared by both channels.
  float drive = 1.0f;
  float bandMix = 1.0f;
  float gain = 1.0f;

  // Largest final value of the last block, never below 0; the meter reads it on any thread.
  std::atomic<float> peakLevel{0};

  ChannelState left;
  ChannelState right;

  // The library's one table (engine/shared_shaper_table.h), held while this engine lives;
  // kShaperTableSize entries.
  const float* shaperTable = nullptr;
};
