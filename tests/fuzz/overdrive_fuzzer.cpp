// A hostile host for libFuzzer. It creates instances through `main` and drives them only
// through their records, with opcodes, indices, values, parameter values, names and blocks that
// the fuzzer's bytes choose. After every call it checks what no host input may break; a broken
// invariant aborts, and libFuzzer keeps the input that did it. The engine's filter states are
// read through the engine's probe, for the one invariant a host cannot observe.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/chain_constants.h"
#include "engine/engine_probe.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/guarded_buffer.h"
#include "fuzz/output_bound.h"
#include "tools/hosting/host_callback.h"
#include "vst2/overdrive_effect.h"
#include "vst2/overdrive_plugin.h"

namespace {

// Buffer sizes a host gives for each text: 10-character names, 8-character values and labels,
// 23-character program names, each with its terminator.
constexpr size_t kNameSize = 11;
constexpr size_t kValueTextSize = 9;
constexpr size_t kProgramNameSize = 24;
constexpr int32_t kParameters = 6;
constexpr int32_t kPrograms = 3;
constexpr int32_t kLargestBlock = 4096;

void check(bool holds, const char* invariant) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", invariant);
  std::abort();
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool unchanged(const float* samples, const std::vector<float>& before) {
  for (size_t i = 0; i < before.size(); ++i)
    if (!sameBits(samples[i], before[i])) return false;
  return true;
}

// Noise that costs no input bytes once seeded.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed | 1u) {}
  float next(float scale) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return (static_cast<float>(state_ >> 8) / 8388608.0f - 1.0f) * scale;
  }

 private:
  uint32_t state_;
};

class HostileHost {
 public:
  explicit HostileHost(FuzzInput& input) : in_(input) { open(); }
  ~HostileHost() { record_->dispatcher(record_, effClose, 0, 0, nullptr, 0.0f); }

  void step() {
    switch (in_.byte() % 10) {
      case 0: anyOpcode(); break;
      case 1: setParameter(in_.index(-2, kParameters + 1), in_.anyFloat()); break;
      case 2: setParameter(in_.index(0, kParameters - 1), in_.unitFloat()); break;
      case 3: setProgram(in_.index(-2, kPrograms + 1)); break;
      case 4: renameProgram(); break;
      case 5:
      case 6: processBlock(); break;
      case 7: readTexts(in_.index(-1, kParameters)); break;
      case 8: dispatch(effMainsChanged, 0, in_.index(-1, 1), nullptr, 0.0f); break;
      default: hostileMain(); break;
    }
  }

 private:
  void open() {
    record_ = pluginMain(answeringHost<>);
    check(record_ != nullptr, "main creates an instance for a host that answers the version");
    effect_ = static_cast<OverdriveEffect*>(effectOf(record_));
    current_ = 0;
    names_ = {"Reset", "Boost", "Drive"};
    check(programName() == names_[0], "a new instance starts on program 0");
  }

  intptr_t dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    const intptr_t answer = record_->dispatcher(record_, opcode, index, value, ptr, opt);
    if (opcode == effClose) {
      check(answer == 1, "effClose answers 1");
      record_ = nullptr;
      open();
    }
    return answer;
  }

  // Any opcode, known or not, with random arguments; every pointer is a buffer of the size the
  // opcode needs.
  void anyOpcode() {
    const int32_t opcode = in_.index(-3, 30);
    const int32_t index = in_.index(-1, kParameters);
    const intptr_t value = in_.byte() % 2 ? in_.anyInt() : in_.index(-2, 4);
    const float opt = in_.anyFloat();
    switch (opcode) {
      case effSetProgram: setProgram(value); return;
      case effSetProgramName: renameProgram(); return;
      case effGetProgramName:
        check(programName() == names_[current_], "the current program's name as last set");
        return;
      case effGetParamLabel:
      case effGetParamDisplay:
      case effGetParamName: readText(opcode, index); return;
      case effSetChunk: {
        std::vector<uint8_t> chunk(in_.byte());
        check(dispatch(opcode, index, static_cast<intptr_t>(chunk.size()), chunk.data(), opt) == 0,
              "no chunks are taken");
        return;
      }
      default: break;
    }
    // Room for whatever an opcode might write: a pointer (rectangle, chunk) or a short text.
    GuardedText scratch(64);
    std::memset(scratch.data(), 0, scratch.size());
    const intptr_t answer = dispatch(opcode, index, value, scratch.data(), opt);
    if (opcode == effClose) return;
    check(scratch.guardIntact(), "no opcode writes past its buffer");
    if (opcode == effIdentify) check(answer == kIdentifyAnswer, "effIdentify answers NvEf");
    if (opcode == effGetProgram) check(answer == current_, "effGetProgram answers the program");
    if (opcode == effGetVu) check(answer >= 0 && answer <= INT32_MAX, "effGetVu is 0 to 2^31-1");
    if (opcode < 0 || opcode > effSetChunk) check(answer == 0, "unknown opcodes answer 0");
  }

  void setParameter(int32_t index, float value) {
    record_->setParameter(record_, index, value);
    if (index >= 0 && index < kParameters) {
      check(sameBits(record_->getParameter(record_, index), value),
            "a parameter keeps the value set, unclamped");
    } else {
      check(record_->getParameter(record_, index) == 0.0f, "an unknown parameter reads 0");
    }
  }

  void setProgram(intptr_t program) {
    dispatch(effSetProgram, 0, program, nullptr, 0.0f);
    if (program >= 0 && program < kPrograms) current_ = static_cast<int32_t>(program);
    check(dispatch(effGetProgram, 0, 0, nullptr, 0.0f) == current_,
          "only numbers within the bank select a program");
  }

  // A name of any length, up to several hundred characters, of any non-zero bytes.
  void renameProgram() {
    std::string name(in_.byte() % 2 ? in_.byte() : in_.bits16() % 600, 'x');
    for (char& c : name) c = static_cast<char>(in_.byte() | 1);
    dispatch(effSetProgramName, 0, 0, name.data(), 0.0f);
    names_[current_] = name.substr(0, kProgramNameSize - 1);
    check(programName() == names_[current_], "a program name is cut to 23 characters");
  }

  std::string programName() {
    GuardedText text(kProgramNameSize);
    dispatch(effGetProgramName, 0, 0, text.data(), 0.0f);
    check(text.guardIntact(), "a program name fits 24 bytes");
    check(text.terminated(), "a program name is terminated within 24 bytes");
    return text.data();
  }

  void readTexts(int32_t index) {
    for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
      readText(opcode, index);
  }

  void readText(int32_t opcode, int32_t index) {
    GuardedText text(opcode == effGetParamName ? kNameSize : kValueTextSize);
    check(dispatch(opcode, index, 0, text.data(), 0.0f) == 0, "text opcodes answer 0");
    check(text.guardIntact(), "a parameter text fits its buffer");
    if (index >= 0 && index < kParameters) {
      check(text.terminated(), "a parameter text is terminated within its buffer");
    } else {
      check(text.untouched(), "an unknown parameter's text writes nothing");
    }
  }

  // `main` refuses a host without a callback and one that answers 0 to the version query.
  void hostileMain() {
    check(pluginMain(nullptr) == nullptr, "main without a callback answers null");
    check(pluginMain(answeringHost<0>) == nullptr, "main answers null to a version-0 host");
  }

  int32_t frameCount() {
    switch (in_.byte() % 8) {
      case 0: return 0;
      case 1: return in_.anyInt() | INT32_MIN;  // negative
      case 2: return 1 + static_cast<int32_t>(in_.bits16() % kLargestBlock);
      default: return 1 + in_.byte();
    }
  }

  void fill(GuardedSamples& samples, uint8_t kind) {
    Noise noise(in_.bits32());
    const float constant = in_.anyFloat();
    for (size_t i = 0; i < samples.frames(); ++i) {
      switch (kind % 5) {
        case 0: samples[i] = 0.0f; break;
        case 1: samples[i] = noise.next(1.0f); break;
        case 2: samples[i] = noise.next(1000.0f); break;
        case 3: samples[i] = constant; break;
        default: samples[i] = in_.empty() ? noise.next(1.0f) : in_.anyFloat(); break;
      }
    }
  }

  void processBlock() {
    const uint8_t mode = in_.byte();
    const bool replacing = mode & 1;
    const bool inPlace = mode & 2;
    const int32_t frames = frameCount();
    const size_t n = frames > 0 ? static_cast<size_t>(frames) : 0;
    GuardedSamples inLeft(n), inRight(n), outLeft(n), outRight(n);
    fill(inLeft, mode >> 2);
    fill(inRight, mode >> 5);
    fill(outLeft, 3);  // what an accumulating call adds to
    fill(outRight, 3);

    const bool bounded = outputBoundHolds(effect_->engine());
    const std::vector<uint32_t> leftIn = inLeft.bits(), rightIn = inRight.bits();
    float* inputs[2] = {inLeft.data(), inRight.data()};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    float** targets = inPlace ? inputs : outputs;
    const std::vector<float> leftBefore(targets[0], targets[0] + n);
    const std::vector<float> rightBefore(targets[1], targets[1] + n);
    const AEffectProcessProc entry = replacing ? record_->processReplacing : record_->process;
    entry(record_, inputs, targets, frames);

    for (const GuardedSamples* s : {&inLeft, &inRight, &outLeft, &outRight})
      check(s->guardIntact(), "processing writes no sample past the block");
    if (!inPlace) {
      check(inLeft.bits() == leftIn && inRight.bits() == rightIn,
            "inputs are untouched when the outputs are other buffers");
    }
    if (frames <= 0) {
      check(unchanged(targets[0], leftBefore) && unchanged(targets[1], rightBefore),
            "an empty or negative block writes nothing");
    }
    if (bounded) {
      checkOutput(targets[0], leftBefore, replacing);
      checkOutput(targets[1], rightBefore, replacing);
    }
    const intptr_t vu = dispatch(effGetVu, 0, 0, nullptr, 0.0f);
    check(vu >= 0 && vu <= INT32_MAX, "the meter is never negative and saturates");
    checkStatesAfterBlockEdge();
  }

  static void checkOutput(const float* out, const std::vector<float>& before, bool replacing) {
    for (size_t i = 0; i < before.size(); ++i) {
      const double o = out[i];
      if (replacing) {
        check(std::isfinite(o) && std::fabs(o) <= kFinalValueBound,
              "outputs are finite and bounded");
      } else if (std::isfinite(before[i])) {
        // The engine's value added to what was there, rounded once.
        const double b = before[i];
        check(std::isfinite(o) && std::fabs(o - b) <= kFinalValueBound + std::fabs(b) * 0x1p-23,
              "accumulated outputs add a finite, bounded value");
      }
    }
  }

  // A 0-frame block runs the block-edge steps: no filter state and no smoothed value may be
  // left non-finite, or the channel would stay stuck.
  void checkStatesAfterBlockEdge() {
    float silence[1] = {0.0f};
    float* buffers[2] = {silence, silence};
    record_->processReplacing(record_, buffers, buffers, 0);
    check(silence[0] == 0.0f, "a 0-frame block writes nothing");
    const EngineSnapshot states = EngineProbe::snapshot(effect_->engine());
    for (const ChannelSnapshot* c : {&states.left, &states.right}) {
      for (float state : {c->toneLow, c->toneBand, c->toneHigh, c->splitLow, c->splitBand,
                          c->splitHigh, c->post1, c->post2}) {
        check(std::isfinite(state), "no non-finite filter state survives a block edge");
      }
      check(std::isfinite(c->toneFreq), "no non-finite tone frequency survives a block edge");
    }
    for (float smoothed : {states.drive, states.bandMix, states.gain})
      check(std::isfinite(smoothed), "no non-finite smoothed value survives a block edge");
  }

  FuzzInput& in_;
  AEffect* record_ = nullptr;
  OverdriveEffect* effect_ = nullptr;
  int32_t current_ = 0;
  std::vector<std::string> names_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  HostileHost host(input);
  while (!input.empty()) host.step();
  return 0;
}
