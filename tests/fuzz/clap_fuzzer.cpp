// A hostile CLAP host for libFuzzer. It creates instances through clap_entry and drives them
// only through the plug-in's tables: parameter events of any id, value and offset (past the
// block, out of order, unknown ids, NaN and infinities) in blocks of any size, with or without
// usable buffers; flushes; state blobs of any bytes, read and written in pieces of any size;
// texts into buffers of any size. After every call it checks what no host input may break; a
// broken invariant aborts, and libFuzzer keeps the input that did it. The engine's filter states
// are read through its probe, for the output bound.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "clap/entry.h"
#include "clap/overdrive_clap.h"
#include "clap/plugin-factory.h"
#include "clap/plugin_identity.h"
#include "engine/chain_constants.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/guarded_buffer.h"
#include "fuzz/output_bound.h"
#include "tools/hosting/clap_byte_streams.h"
#include "tools/hosting/clap_event_lists.h"
#include "tools/hosting/clap_host.h"

namespace {

constexpr uint32_t kLargestBlock = 4096;

void check(bool holds, const char* invariant) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", invariant);
  std::abort();
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Any double: raw bit patterns, any float widened, or the program parameter's steps and the
// values between them.
double anyDouble(FuzzInput& in) {
  switch (in.byte() % 4) {
    case 0: {
      const uint64_t bits = (static_cast<uint64_t>(in.bits32()) << 32) | in.bits32();
      double v;
      std::memcpy(&v, &bits, sizeof v);
      return v;
    }
    case 1: return in.index(-2, 6) * 0.5;
    default: return in.anyFloat();
  }
}

// The six values and the program, bit for bit, as the host reads them.
struct Values {
  float values[kParameterCount];
  int32_t program;
};

// An output stream that takes at most `chunk` bytes per call, or fails.
class PiecemealWriter {
 public:
  PiecemealWriter(uint64_t chunk, bool fails) : chunk_(chunk), fails_(fails) {
    stream_.ctx = this;
    stream_.write = [](const clap_ostream_t* s, const void* data, uint64_t size) -> int64_t {
      auto* self = static_cast<PiecemealWriter*>(s->ctx);
      if (self->fails_) return -1;
      const uint64_t count = size < self->chunk_ ? size : self->chunk_;
      const auto* first = static_cast<const uint8_t*>(data);
      self->bytes.insert(self->bytes.end(), first, first + count);
      return static_cast<int64_t>(count);
    };
  }
  const clap_ostream_t* stream() const { return &stream_; }
  std::vector<uint8_t> bytes;

 private:
  clap_ostream_t stream_;
  uint64_t chunk_;
  bool fails_;
};

class HostileClapHost {
 public:
  explicit HostileClapHost(FuzzInput& input) : in_(input) {
    check(clap_entry.init("fuzz"), "clap_entry.init succeeds");
    factory_ =
        static_cast<const clap_plugin_factory_t*>(clap_entry.get_factory(CLAP_PLUGIN_FACTORY_ID));
    check(factory_ && factory_->get_plugin_count(factory_) == 1, "the factory has one plug-in");
    check(!factory_->create_plugin(factory_, host_.host(), "example.tonquill.other"),
          "no plug-in for an unknown id");
    open();
  }
  ~HostileClapHost() {
    close();
    clap_entry.deinit();
  }

  void step() {
    switch (in_.byte() % 9) {
      case 0:
      case 1:
      case 2: processBlock(); break;
      case 3: flush(); break;
      case 4: loadState(); break;
      case 5: saveState(); break;
      case 6: readTexts(); break;
      case 7: lifecycle(); break;
      default:
        close();
        open();
        break;
    }
  }

 private:
  void open() {
    plugin_ = factory_->create_plugin(factory_, host_.host(), kClapPluginId);
    check(plugin_ && plugin_->init(plugin_), "an instance is created and initialised");
    params_ =
        static_cast<const clap_plugin_params_t*>(plugin_->get_extension(plugin_, CLAP_EXT_PARAMS));
    state_ =
        static_cast<const clap_plugin_state_t*>(plugin_->get_extension(plugin_, CLAP_EXT_STATE));
    check(params_ && state_, "params and state are offered");
    check(params_->count(plugin_) == kParameterCount + 1, "six parameters and the program");
  }

  void close() {
    if (processing_) plugin_->stop_processing(plugin_);
    if (active_) plugin_->deactivate(plugin_);
    processing_ = active_ = false;
    plugin_->destroy(plugin_);
  }

  const OverdriveEngine& engine() const { return OverdriveClap::of(plugin_).engine; }

  Values values() {
    Values v;
    for (int32_t i = 0; i < kParameterCount; ++i) {
      double value = 0.0;
      check(params_->get_value(plugin_, static_cast<clap_id>(i), &value), "every id has a value");
      v.values[i] = static_cast<float>(value);
    }
    double program = -1.0;
    check(params_->get_value(plugin_, kProgramParameterId, &program), "the program has a value");
    v.program = static_cast<int32_t>(program);
    return v;
  }

  void expectValues(const Values& expected, const char* invariant) {
    const Values now = values();
    check(now.program == expected.program, invariant);
    for (int32_t i = 0; i < kParameterCount; ++i)
      check(sameBits(now.values[i], expected.values[i]), invariant);
  }

  // Events in the order a hostile host lists them, and what they should leave: each value as
  // sent, unclamped, unless a later program replaced it; a program wherever a value names one.
  struct Expectation {
    Values values;
    bool known[kParameterCount];
    uint32_t reports;       // six values per program selected
    bool postFilterStable;  // no event moves the post filter outside 0 to 1
  };

  Expectation fillEvents(ClapInputEvents& events, uint32_t frames) {
    Expectation e{values(), {}, 0, true};
    const uint32_t count = in_.byte() % 9;
    for (uint32_t n = 0; n < count; ++n) {
      clap_id id;
      switch (in_.byte() % 4) {
        case 0: id = kProgramParameterId; break;
        case 1: id = in_.bits32(); break;
        default: id = in_.byte() % kParameterCount; break;
      }
      const double value = anyDouble(in_);
      const uint32_t frame = in_.byte() % 2 ? in_.bits32() : in_.byte() % (frames + 2);
      events.addValue(id, value, frame);
      if (id == kProgramParameterId) {
        if (!(value >= 0.0 && value <= OverdriveEngine::kProgramCount - 1)) continue;
        e.values.program = static_cast<int32_t>(value + 0.5);
        std::fill(std::begin(e.known), std::end(e.known), false);
        e.reports += kParameterCount;
      } else if (id < static_cast<clap_id>(kParameterCount)) {
        e.values.values[id] = static_cast<float>(value);
        e.known[id] = true;
        if (id == kPostFilter && !(e.values.values[id] >= 0.0f && e.values.values[id] <= 1.0f))
          e.postFilterStable = false;
      }
    }
    return e;
  }

  void expectApplied(const Expectation& e, const ClapOutputEvents& reported) {
    const Values now = values();
    check(now.program == e.values.program, "a program is selected by the nearest step only");
    for (int32_t i = 0; i < kParameterCount; ++i) {
      if (e.known[i]) check(sameBits(now.values[i], e.values.values[i]), "values arrive unclamped");
    }
    check(reported.events().size() == e.reports, "each program reports its six values");
  }

  void processBlock() {
    const uint8_t mode = in_.byte();
    uint32_t frames;
    switch (in_.byte() % 4) {
      case 0: frames = 0; break;
      case 1: frames = 1 + in_.bits16() % kLargestBlock; break;
      default: frames = 1 + in_.byte(); break;
    }
    const bool usable = (mode & 3) != 0;
    const bool inPlace = mode & 4;
    GuardedSamples inLeft(frames), inRight(frames), outLeft(frames), outRight(frames);
    uint32_t noise = in_.bits32() | 1u;
    for (GuardedSamples* s : {&inLeft, &inRight}) {
      for (size_t i = 0; i < frames; ++i) {
        noise ^= noise << 13;
        noise ^= noise >> 17;
        noise ^= noise << 5;
        (*s)[i] = (mode & 8) ? in_.anyFloat() : static_cast<float>(noise >> 8) / 4194304.0f - 2.0f;
      }
    }
    float* inputs[2] = {inLeft.data(), inRight.data()};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    clap_audio_buffer_t in = {}, out = {};
    in.data32 = inputs;
    out.data32 = inPlace ? inputs : outputs;
    in.channel_count = out.channel_count = usable ? 2 : (mode >> 4) % 2;
    ClapInputEvents events;
    const Expectation expected = fillEvents(events, frames);
    ClapOutputEvents reported;
    clap_process_t block = {};
    block.steady_time = -1;
    block.frames_count = frames;
    block.audio_inputs = &in;
    block.audio_outputs = &out;
    block.audio_inputs_count = block.audio_outputs_count = (mode & 16) && !usable ? 0 : 1;
    block.in_events = events.list();
    block.out_events = reported.list();
    const bool bounded = outputBoundHolds(engine()) && expected.postFilterStable;
    const clap_process_status status = plugin_->process(plugin_, &block);

    for (const GuardedSamples* s : {&inLeft, &inRight, &outLeft, &outRight})
      check(s->guardIntact(), "processing writes no sample past the block");
    expectApplied(expected, reported);
    if (!usable) {
      check(status == (frames == 0 ? CLAP_PROCESS_CONTINUE : CLAP_PROCESS_ERROR),
            "a block without a stereo pair is an error, yet its events apply");
      return;
    }
    check(status == CLAP_PROCESS_CONTINUE, "a block with a stereo pair is processed");
    if (!bounded) return;
    for (float* channel : {out.data32[0], out.data32[1]}) {
      for (uint32_t i = 0; i < frames; ++i) {
        check(std::isfinite(channel[i]) && std::fabs(channel[i]) <= kFinalValueBound,
              "outputs are finite and bounded");
      }
    }
  }

  void flush() {
    ClapInputEvents events;
    const Expectation expected = fillEvents(events, 0);
    ClapOutputEvents reported;
    params_->flush(plugin_, events.list(), reported.list());
    expectApplied(expected, reported);
  }

  // Any bytes, or a saved blob cut, lengthened or with bytes changed, read in pieces of any size.
  void loadState() {
    std::vector<uint8_t> bytes;
    if (in_.byte() % 2) {
      bytes.resize(in_.byte() % 2 ? OverdriveEngine::kStateSize : in_.byte());
      for (uint8_t& b : bytes) b = in_.byte();
    } else {
      PiecemealWriter writer(UINT64_MAX, false);
      check(state_->save(plugin_, writer.stream()), "a state is saved");
      bytes = writer.bytes;
      const uint8_t edits = in_.byte() % 4;
      for (uint8_t n = 0; n < edits; ++n) bytes[in_.byte() % bytes.size()] = in_.byte();
      if (in_.byte() % 4 == 0) bytes.resize(in_.byte() % (bytes.size() + 2));
    }
    const Values before = values();
    ClapByteReader reader(bytes, 1 + in_.byte());
    if (!state_->load(plugin_, reader.stream())) {
      expectValues(before, "a refused blob leaves the instance as it was");
      return;
    }
    check(bytes.size() == OverdriveEngine::kStateSize, "only a blob of the state's size loads");
    const Values after = values();
    for (float value : after.values) check(std::isfinite(value), "a loaded state is finite");
    check(after.program >= 0 && after.program < OverdriveEngine::kProgramCount,
          "a loaded state's program is in the bank");
  }

  // Saved and read back in pieces of any size into a fresh instance, the same values and
  // program.
  void saveState() {
    PiecemealWriter writer(1 + in_.byte(), in_.byte() % 16 == 0);
    const bool saved = state_->save(plugin_, writer.stream());
    if (!saved) return;
    check(writer.bytes.size() == OverdriveEngine::kStateSize, "a saved state is one blob");
    const Values original = values();
    const clap_plugin_t* other = factory_->create_plugin(factory_, host_.host(), kClapPluginId);
    check(other && other->init(other), "a second instance is created");
    ClapByteReader reader(writer.bytes, 1 + in_.byte());
    const bool loaded = state_->load(other, reader.stream());
    // Non-finite values are saved as they are and clamped when loaded.
    bool finite = true;
    for (float value : original.values) finite = finite && std::isfinite(value);
    check(loaded, "a saved state loads");
    if (finite) {
      std::swap(plugin_, other);
      expectValues(original, "a saved state restores every value and the program");
      std::swap(plugin_, other);
    }
    other->destroy(other);
  }

  // Texts of any id into buffers of any size.
  void readTexts() {
    const clap_id id = in_.byte() % 3 ? in_.byte() % 8 : in_.bits32();
    const bool known = id < static_cast<clap_id>(kParameterCount) || id == kProgramParameterId;
    GuardedText text(in_.byte() % 20);
    const double value = anyDouble(in_);
    const bool written =
        params_->value_to_text(plugin_, id, value, text.data(), static_cast<uint32_t>(text.size()));
    check(text.guardIntact(), "a value's text fits its buffer");
    if (written) check(text.terminated(), "a text is terminated within its buffer");
    if (!known) check(!written && text.untouched(), "an unknown id has no text");
    clap_param_info_t info;
    const uint32_t index = in_.byte() % 9;
    check(params_->get_info(plugin_, index, &info) == (index <= kParameterCount),
          "seven parameters are described");
  }

  void lifecycle() {
    switch (in_.byte() % 4) {
      case 0:
        if (!active_) active_ = plugin_->activate(plugin_, 1.0 + in_.bits16(), 1, kLargestBlock);
        break;
      case 1:
        if (active_ && !processing_) processing_ = plugin_->start_processing(plugin_);
        break;
      case 2:
        if (processing_) plugin_->stop_processing(plugin_);
        processing_ = false;
        break;
      default:
        if (processing_) plugin_->stop_processing(plugin_);
        if (active_) plugin_->deactivate(plugin_);
        processing_ = active_ = false;
        plugin_->reset(plugin_);
        break;
    }
  }

  FuzzInput& in_;
  ClapHost host_;
  const clap_plugin_factory_t* factory_ = nullptr;
  const clap_plugin_t* plugin_ = nullptr;
  const clap_plugin_params_t* params_ = nullptr;
  const clap_plugin_state_t* state_ = nullptr;
  bool active_ = false, processing_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The library stays initialised across inputs, as in a host that keeps it loaded, so the
  // shaper table is built once; each input adds an init and a deinit of its own.
  static const bool held = clap_entry.init("fuzz");
  check(held, "clap_entry.init succeeds");
  FuzzInput input(data, size);
  HostileClapHost host(input);
  while (!input.empty()) host.step();
  return 0;
}
