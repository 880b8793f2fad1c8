// A hostile VST3 host for libFuzzer. It makes instances through the factory and drives them only
// through their interfaces, with parameter changes of any id, value and sample offset, blocks of
// any size and bus layout, state streams of any bytes and bus arrangements that the fuzzer's
// bytes choose. After every call it checks what no host input may break; a broken
// invariant aborts, and libFuzzer keeps the input that did it.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "engine/chain_constants.h"
#include "engine/engine_probe.h"
#include "engine/shared_shaper_table.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/guarded_buffer.h"
#include "tools/hosting/vst3_host_objects.h"
#include "vst3/class_identity.h"
#include "vst3/overdrive_vst3.h"
#include "vst3/parameter_ids.h"
#include "vst3/plugin_factory.h"

namespace {

constexpr int32_t kLargestBlock = 4096;
constexpr v3_speaker_arrangement kStereo = V3_SPEAKER_L | V3_SPEAKER_R;

void check(bool holds, const char* invariant) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", invariant);
  std::abort();
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Any double: raw bit patterns, the fuzz input's floats widened, or values beyond float's range.
double anyDouble(FuzzInput& in) {
  switch (in.byte() % 4) {
    case 0: {
      const uint64_t bits = (static_cast<uint64_t>(in.bits32()) << 32) | in.bits32();
      double value;
      std::memcpy(&value, &bits, sizeof value);
      return value;
    }
    case 1: {
      static const double kEdges[] = {
          1e300, -1e300, 1e-310, std::numeric_limits<double>::max(), 0.49999999999999994,
          0.75,  0.25};
      return kEdges[in.byte() % (sizeof kEdges / sizeof kEdges[0])];
    }
    default: return in.anyFloat();
  }
}

class HostileVst3Host {
 public:
  explicit HostileVst3Host(FuzzInput& input) : in_(input) { open(); }
  ~HostileVst3Host() { close(); }

  void step() {
    switch (in_.byte() % 8) {
      case 0:
      case 1:
      case 2: processBlock(); break;
      case 3: setFromController(); break;
      case 4: loadAnyState(); break;
      case 5: saveAndLoad(); break;
      case 6: arrangeBuses(); break;
      default:
        close();
        open();
        break;
    }
  }

 private:
  // As Ardour does it: the one object initialized as component and again as controller.
  void open() {
    v3_plugin_factory** factory = pluginFactory();
    void* object = nullptr;
    check(tableOf<v3_plugin_factory_cpp>(factory).v1.create_instance(
              factory, kOverdriveClassId, v3_component_iid, &object) == V3_OK,
          "the factory makes its class");
    releaseOf(factory);
    component_ = static_cast<v3_component**>(object);
    effect_ = static_cast<Face<OverdriveVst3>*>(object)->owner;
    check(queryOf(component_, v3_audio_processor_iid, &processor_), "an audio processor");
    check(queryOf(component_, v3_edit_controller_iid, &controller_), "its own controller");
    tableOf<v3_component_cpp>(component_).base.initialize(component_, host_.context());
    tableOf<v3_edit_controller_cpp>(controller_).base.initialize(controller_, host_.context());
    check(arrange(1, kStereo, 1, kStereo) == V3_OK, "one stereo bus each way is taken");
    v3_process_setup setup{V3_REALTIME, V3_SAMPLE_32, kLargestBlock, 48000.0};
    check(processor().setup_processing(processor_, &setup) == V3_OK, "32-bit processing");
    component().set_active(component_, 1);
    processor().set_processing(processor_, 1);
  }

  void close() {
    processor().set_processing(processor_, 0);
    component().set_active(component_, 0);
    tableOf<v3_edit_controller_cpp>(controller_).base.terminate(controller_);
    tableOf<v3_component_cpp>(component_).base.terminate(component_);
    releaseOf(controller_);
    releaseOf(processor_);
    check(releaseOf(component_) == 0, "the host's last release ends the object");
    check(host_.refs() == 1, "the host context is not held after terminate");
  }

  const v3_component& component() { return tableOf<v3_component_cpp>(component_).comp; }
  const v3_audio_processor& processor() { return tableOf<v3_audio_processor_cpp>(processor_).proc; }
  const v3_edit_controller& controller() {
    return tableOf<v3_edit_controller_cpp>(controller_).ctrl;
  }

  v3_result arrange(int32_t inputs, v3_speaker_arrangement in, int32_t outputs,
                    v3_speaker_arrangement out) {
    return processor().set_bus_arrangements(processor_, &in, inputs, &out, outputs);
  }

  std::vector<uint8_t> state() {
    MemoryStream stream;
    check(component().get_state(component_, stream.stream()) == V3_OK, "getState writes");
    check(stream.bytes().size() == OverdriveEngine::kStateSize, "the state is the engine's blob");
    return stream.bytes();
  }

  v3_param_id anyId() {
    switch (in_.byte() % 4) {
      case 0: return kProgramChangeId;
      case 1: return in_.bits32();
      default: return in_.byte() % (kParameterCount + 1);
    }
  }

  int32_t anyOffset(int32_t frames) {
    switch (in_.byte() % 6) {
      case 0: return 0;
      case 1: return in_.anyInt();
      case 2: return frames + static_cast<int32_t>(in_.byte());
      case 3: return -static_cast<int32_t>(in_.byte());
      default: return frames > 0 ? static_cast<int32_t>(in_.bits16()) % frames : in_.byte();
    }
  }

  int32_t frameCount() {
    switch (in_.byte() % 8) {
      case 0: return 0;
      case 1: return in_.anyInt() | std::numeric_limits<int32_t>::min();  // negative
      case 2: return 1 + static_cast<int32_t>(in_.bits16() % kLargestBlock);
      default: return 1 + in_.byte();
    }
  }

  // The output stays bounded while the post filter is stable: its parameter within 0 to 1 before
  // the block and at every change in it, and its states within full scale.
  bool outputBounded(const ParameterChanges& changes) {
    auto stable = [](double value) {
      const auto stored = static_cast<float>(value);
      return stored >= 0.0f && stored <= 1.0f;
    };
    if (!stable(effect_->engine().parameter(kPostFilter))) return false;
    for (const ParameterQueue& queue : changes.queues()) {
      if (queue.id() != kPostFilter) continue;
      for (const auto& point : queue.points())
        if (!stable(point.second)) return false;
    }
    const EngineSnapshot snapshot = EngineProbe::snapshot(effect_->engine());
    for (const ChannelSnapshot* c : {&snapshot.left, &snapshot.right})
      if (!(std::fabs(c->post1) <= 1.0f && std::fabs(c->post2) <= 1.0f)) return false;
    return true;
  }

  void processBlock() {
    const uint8_t layout = in_.byte();
    const int32_t frames = frameCount();
    const size_t n = frames > 0 ? static_cast<size_t>(frames) : 0;
    GuardedSamples inLeft(n), inRight(n), outLeft(n), outRight(n);
    for (size_t i = 0; i < n; ++i) {
      inLeft[i] = (layout & 0x40) ? in_.anyFloat() : std::sin(0.01f * static_cast<float>(i));
      inRight[i] = -inLeft[i];
      outLeft[i] = outRight[i] = 0.5f;
    }
    ParameterChanges changes, reported;
    for (int32_t points = in_.byte() % 12; points > 0; --points)
      changes.add(anyId(), anyOffset(frames), anyDouble(in_));

    float* inputs[2] = {inLeft.data(), inRight.data()};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    const bool inPlace = layout & 0x20;
    v3_audio_bus_buffers inBus{2, 0, {inputs}};
    v3_audio_bus_buffers outBus{2, 0, {inPlace ? inputs : outputs}};
    v3_process_data data{};
    data.process_mode = V3_REALTIME;
    data.symbolic_sample_size = (layout & 0x10) ? V3_SAMPLE_64 : V3_SAMPLE_32;
    data.nframes = frames;
    data.num_input_buses = layout & 1;
    data.num_output_buses = (layout >> 1) & 1;
    data.inputs = (layout & 4) ? nullptr : &inBus;
    data.outputs = (layout & 8) ? nullptr : &outBus;
    if (layout & 0x80) inBus.num_channels = outBus.num_channels = 1;
    data.input_params = changes.changes();
    data.output_params = reported.changes();
    const bool renders = frames > 0 && data.symbolic_sample_size == V3_SAMPLE_32 &&
                         data.num_input_buses && data.num_output_buses && data.inputs &&
                         data.outputs && inBus.num_channels == 2;

    const bool bounded = outputBounded(changes);
    const std::vector<uint32_t> leftIn = inLeft.bits();
    check(processor().process(processor_, &data) == V3_OK, "process answers ok");

    for (const GuardedSamples* s : {&inLeft, &inRight, &outLeft, &outRight})
      check(s->guardIntact(), "processing writes no sample past the block");
    if (!renders || !inPlace) check(inLeft.bits() == leftIn, "inputs stay as they were");
    if (!renders) {
      for (size_t i = 0; i < n; ++i)
        check(outLeft[i] == 0.5f && outRight[i] == 0.5f, "a call without audio writes nothing");
    } else if (bounded) {
      for (const float* out : {inPlace ? inputs[0] : outputs[0], inPlace ? inputs[1] : outputs[1]})
        for (size_t i = 0; i < n; ++i)
          check(std::isfinite(out[i]) && std::fabs(out[i]) <= kFinalValueBound,
                "outputs are finite and bounded");
    }
    // What the processor reports is a program's six values.
    for (const ParameterQueue& queue : reported.queues())
      check(queue.id() < kParameterCount, "only the six parameters are reported");
  }

  // The controller writes the engine: known ids read back as stored, unclamped; other ids change
  // nothing.
  void setFromController() {
    const v3_param_id id = anyId();
    const double value = anyDouble(in_);
    const std::vector<uint8_t> before = state();
    const v3_result result = controller().set_parameter_normalised(controller_, id, value);
    const double now = controller().get_parameter_normalised(controller_, id);
    if (isEngineParameter(id)) {
      check(result == V3_OK && sameBits(now, static_cast<float>(value)),
            "a parameter keeps the value set, unclamped");
    } else if (id == kProgramChangeId) {
      check(result == V3_OK && now == normalizedOf(programOf(value)), "a program is selected");
      check(effect_->engine().currentProgram() == programOf(value), "the engine loaded it");
    } else {
      check(result != V3_OK && state() == before, "an unknown id changes nothing");
    }
  }

  // Any bytes, or a saved state with a few bytes changed: taken exactly when an engine takes
  // them, and then shown by the controller; refused without a change.
  void loadAnyState() {
    std::vector<uint8_t> bytes;
    if (in_.byte() % 2) {
      bytes = state();
      for (int32_t flips = in_.byte() % 4; flips > 0; --flips)
        bytes[in_.byte() % bytes.size()] ^= static_cast<uint8_t>(1u << (in_.byte() % 8));
    } else {
      bytes.resize(in_.byte() % 2 ? OverdriveEngine::kStateSize : in_.bits16() % 300);
      for (uint8_t& b : bytes) b = in_.byte();
    }
    OverdriveEngine reader;
    const bool valid = reader.loadState(bytes.data(), bytes.size());
    const std::vector<uint8_t> before = state();
    MemoryStream stream(bytes);
    const bool loaded =
        in_.byte() % 2 ? component().set_state(component_, stream.stream()) == V3_OK
                       : controller().set_component_state(controller_, stream.stream()) == V3_OK;
    check(loaded == valid, "a state is taken exactly when the engine takes it");
    if (!loaded) {
      check(state() == before, "a refused state changes nothing");
      return;
    }
    for (int32_t i = 0; i < kParameterCount; ++i) {
      check(sameBits(controller().get_parameter_normalised(controller_, i), reader.parameter(i)),
            "the controller shows the state's values");
    }
    check(controller().get_parameter_normalised(controller_, kProgramChangeId) ==
              normalizedOf(reader.currentProgram()),
          "the controller shows the state's program");
  }

  // A saved state loads again, to what an engine holds after loading it (which takes values
  // that are not finite clamped).
  void saveAndLoad() {
    const std::vector<uint8_t> saved = state();
    MemoryStream stream(saved);
    check(component().set_state(component_, stream.stream()) == V3_OK, "a saved state loads");
    OverdriveEngine reader;
    reader.loadState(saved.data(), saved.size());
    uint8_t expected[OverdriveEngine::kStateSize];
    reader.saveState(expected);
    check(state() == std::vector<uint8_t>(expected, expected + sizeof expected),
          "and holds what an engine holds after loading it");
  }

  void arrangeBuses() {
    static const v3_speaker_arrangement kLayouts[] = {kStereo, V3_SPEAKER_M, 0,
                                                      kStereo | V3_SPEAKER_C};
    const int32_t inputs = in_.byte() % 3, outputs = in_.byte() % 3;
    const v3_speaker_arrangement in = kLayouts[in_.byte() % 4], out = kLayouts[in_.byte() % 4];
    const bool stereo = inputs == 1 && outputs == 1 && in == kStereo && out == kStereo;
    check((arrange(inputs, in, outputs, out) == V3_OK) == stereo,
          "only one stereo bus each way is taken");
    arrange(1, kStereo, 1, kStereo);
  }

  FuzzInput& in_;
  HostApplication host_;
  v3_component** component_ = nullptr;
  v3_audio_processor** processor_ = nullptr;
  v3_edit_controller** controller_ = nullptr;
  OverdriveVst3* effect_ = nullptr;
};

}  // namespace

// The shaper table stays built between inputs, as a host's ModuleEntry keeps it.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  acquireShaperTable();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  HostileVst3Host host(input);
  while (!input.empty()) host.step();
  return 0;
}
