// The overdrive engine: six parameters, a program bank, the coefficients derived from the
// parameters, the smoothed control values, both channels' filter states and a hold on the
// library's shaper table.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "engine/channel_state.h"
#include "engine/program_bank.h"
#include "host/effect_base.h"

// The post filter's pole and input weight: stored by one recomputation and read by the signal
// path as one 8-byte atomic unit, so that a frame never pairs one recomputation's pole with
// another's weight (one frame with the pole of PostFilter 1 and the weight of PostFilter 0 lifts
// a full-scale output to 2.26). Aligned to its size, so every compiler loads and stores it with
// one instruction instead of a library call.
struct alignas(8) PostFilterCoefficients {
  float postFeedback;
  float postInputWeight;
};

struct ParameterInfo;

// The line size of the x86 processors the plug-in runs on.
constexpr size_t kCacheLine = 64;

class OverdriveEffect : public EffectBase {
 public:
  explicit OverdriveEffect(audioMasterCallback hostCallback);
  ~OverdriveEffect() override;

  void setParameter(int32_t index, float value) override;
  float getParameter(int32_t index) override;
  // The host may call either entry from block to block; inputs and outputs may be the same
  // buffers. Both may run while another thread changes parameters.
  void process(float** inputs, float** outputs, int32_t sampleFrames) override;
  void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;
  void setProgram(int32_t program) override;
  void setProgramName(char* name) override;
  void getProgramName(char* name) override;
  void getParameterLabel(int32_t index, char* label) override;
  void getParameterDisplay(int32_t index, char* text) override;
  void getParameterName(int32_t index, char* text) override;
  float getVu() override;
  void suspend() override;

  // Whether every allocation of this construction succeeded: only a complete instance is
  // handed to a host.
  bool complete() const { return shaperTable && programs; }

  // Derives every coefficient from the six parameter values. Touches no smoothed value and no
  // filter state, so a change glides in through the smoothers.
  void recomputeCoefficients();

 private:
  // The engine's own parts, and the one seam tests and the reference chain use
  // (engine/engine_probe.h); nothing else reaches the state.
  friend struct CoefficientBits;
  friend struct Smoothers;
  friend void beginBlock(OverdriveEffect& effect);
  friend void endBlock(OverdriveEffect& effect);
  friend const ParameterInfo* parameterAt(int32_t index);
  friend class EngineProbe;

  OverdriveProgram* programs = nullptr;  // owned; numPrograms records

  // Values that cross threads are atomic. Parameters and coefficients are stored on whichever
  // thread sets a parameter (the host's, the editor's) and read on the processing thread and by
  // the host's queries; each is stored and loaded on its own, relaxed (a plain move on x86): a
  // reader sees one store's value or a later one's, and the smoothers absorb any mix of them.

  // The current parameter values, stored unclamped.
  std::atomic<float> preBand{0};
  std::atomic<float> x100Switch{0};
  std::atomic<float> color{0};
  std::atomic<float> preAmp{0};
  std::atomic<float> postFilter{0};
  std::atomic<float> postGain{0};

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

  // Largest final value of the last block, never below 0; getVu reads it on any thread.
  std::atomic<float> peakLevel{0};

  ChannelState left;
  ChannelState right;

  // The library's one table (engine/shared_shaper_table.h), held while this instance lives;
  // kShaperTableSize entries.
  const float* shaperTable = nullptr;

  void loadProgram(int32_t program);
  void parameterChanged();
  template <bool accumulate>
  void processBlock(float** inputs, float** outputs, int32_t sampleFrames);
  template <bool accumulate>
  void processFrames(float** inputs, float** outputs, int32_t sampleFrames);  // at least 1
};
