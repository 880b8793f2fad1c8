// Hosts set flush-to-zero, denormals-are-zero, other rounding modes or unmasked exceptions on
// their threads. Whatever the calling thread has set, every entry gives the bits that a thread in
// the default state gets, and the caller's state (flags included) is as it was when it returns.
#include <xmmintrin.h>

#include <cfenv>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "plugin_fixture.h"
#include "support/split_mix.h"

namespace {

constexpr uint32_t kDefaultCsr = 0x1F80;  // all exceptions masked, to nearest, no flushing

// MinGW's sine, which builds the shaper table, runs on the x87 unit: on Windows the host's x87
// controls and flags are part of its state too.
#if defined(_WIN32)
constexpr uint16_t kDefaultX87 = 0x037F;  // all masked, 64-bit precision, to nearest

struct X87State {
  uint16_t control, flags;
  bool operator!=(const X87State& o) const { return control != o.control || flags != o.flags; }
};

X87State readX87() {
  std::fenv_t env;
  std::fegetenv(&env);
  return {env.__control_word, static_cast<uint16_t>(env.__status_word & 0x3F)};
}

// Sets the x87 controls with no flag raised; leaves the vector unit's register to the caller.
void setX87(uint16_t control) {
  std::fenv_t env;
  std::fegetenv(&env);
  env.__control_word = control;
  env.__status_word &= ~0x3F;
  env.__mxcsr = _mm_getcsr();
  std::fesetenv(&env);
}
#else
constexpr uint16_t kDefaultX87 = 0;

struct X87State {
  bool operator!=(const X87State&) const { return false; }
};

X87State readX87() { return {}; }
void setX87(uint16_t) {}
#endif

struct HostState {
  const char* name;
  uint32_t csr;
  uint16_t x87 = kDefaultX87;
};

const HostState kHostStates[] = {
    {"default", kDefaultCsr},
    {"flush to zero, denormals are zero", kDefaultCsr | 0x8040},
    {"rounding down", kDefaultCsr | 0x2000},
    {"rounding up", kDefaultCsr | 0x4000},
    {"rounding toward zero", kDefaultCsr | 0x6000},
    {"every exception unmasked", 0x0000},
    {"every flag raised, flushing", kDefaultCsr | 0x8040 | 0x003F},
#if defined(_WIN32)
    {"x87 at 53-bit precision, rounding down", kDefaultCsr, 0x027F | 0x0400},
    {"x87 at 24-bit precision, rounding up", kDefaultCsr, 0x007F | 0x0800},
#endif
};

// What one session saw: its bits, and the entries that returned with the host's state changed.
struct Session {
  std::vector<uint32_t> bits;
  std::vector<std::string> unrestored;
};

// Runs `call` on this thread in the host's state, notes whether the state is exactly as the host
// left it, and returns to the default state for the test's own work.
void asHost(const HostState& host, Session& seen, const char* what,
            const std::function<void()>& call) {
  setX87(host.x87);
  _mm_setcsr(host.csr);
  const X87State x87 = readX87();
  call();
  const uint32_t after = _mm_getcsr();
  const X87State x87After = readX87();
  _mm_setcsr(kDefaultCsr);
  setX87(kDefaultX87);
  if (after != host.csr || x87After != x87) seen.unrestored.push_back(what);
}

void append(Session& seen, float value) { seen.bits.push_back(bitsOf(value)); }

// One session through every entry, made in the host's state: creation, a program, parameters,
// loud noise with denormal samples in it, then silence in which the post filter decays through
// the denormal range, through both processing entries; then every state, the meter and the
// texts, all as bits.
Session session(const HostState& host) {
  Session seen;
  AEffect* record = nullptr;
  asHost(host, seen, "main", [&] { record = pluginMain(RecordingHost::callback); });
  if (!record) {
    ADD_FAILURE() << "no instance";
    return seen;
  }
  auto dispatch = [&](int32_t opcode, int32_t index, intptr_t value, void* ptr) {
    intptr_t answer = 0;
    asHost(host, seen, "dispatcher",
           [&] { answer = record->dispatcher(record, opcode, index, value, ptr, 0.0f); });
    return answer;
  };
  dispatch(effSetProgram, 0, 2, nullptr);
  const float values[] = {0.37f, 0.81f, 0.66f, 1.0f, 0.13f, 0.92f};
  for (int32_t i = 0; i < 6; ++i)
    asHost(host, seen, "setParameter", [&] { record->setParameter(record, i, values[i]); });

  SplitMix random{4242};
  for (int block = 0; block < 12; ++block) {
    const size_t frames = 64 + random.below(400);
    const bool loud = block < 4;
    StereoBuffer in(frames), out(frames, 0.25f, -0.25f);
    for (size_t i = 0; i < frames; ++i) {
      in.left[i] = loud ? random.unit() - 0.5f : 0.0f;
      in.right[i] = loud && i % 7 ? random.unit() - 0.5f : 3e-41f;  // some denormal input
    }
    const int32_t n = static_cast<int32_t>(frames);
    if (block % 2)
      asHost(host, seen, "process",
             [&] { record->process(record, in.channels(), out.channels(), n); });
    else
      asHost(host, seen, "processReplacing",
             [&] { record->processReplacing(record, in.channels(), out.channels(), n); });
    for (size_t i = 0; i < frames; ++i) {
      append(seen, out.left[i]);
      append(seen, out.right[i]);
    }
    append(seen, static_cast<float>(dispatch(effGetVu, 0, 0, nullptr)));
  }

  const OverdriveEffect& e = *static_cast<OverdriveEffect*>(effectOf(record));
  for (const ChannelState* c : {&e.left, &e.right}) {
    for (float v : {c->toneLow, c->toneBand, c->toneHigh, c->toneFreq, c->splitLow, c->splitBand,
                    c->splitHigh, c->post1, c->post2})
      append(seen, v);
    append(seen, c->toneFreqFeed);
  }
  for (float v : {e.drive, e.bandMix, e.gain, static_cast<float>(e.peakLevel),
                  static_cast<float>(e.driveFeed), static_cast<float>(e.gainFeed)})
    append(seen, v);
  for (int32_t i = 0; i < 6; ++i) {
    float value = 0;
    asHost(host, seen, "getParameter", [&] { value = record->getParameter(record, i); });
    append(seen, value);
    char text[64] = {};
    dispatch(effGetParamDisplay, i, 0, text);
    for (char ch : std::string(text)) seen.bits.push_back(static_cast<unsigned char>(ch));
  }
  dispatch(effClose, 0, 0, nullptr);
  return seen;
}

TEST(FloatEnvironment, EveryHostStateGetsTheDefaultStateBitsAndKeepsItsOwn) {
  RecordingHost host;
  const std::vector<uint32_t> expected = session(kHostStates[0]).bits;
  for (const HostState& state : kHostStates) {
    SCOPED_TRACE(state.name);
    const Session got = session(state);
    EXPECT_EQ(got.unrestored.size(), 0u)
        << (got.unrestored.empty() ? "" : got.unrestored[0]) << " is the first entry of "
        << got.unrestored.size() << " that returned with the host's state changed";
    ASSERT_EQ(got.bits.size(), expected.size());
    size_t same = 0;
    while (same < got.bits.size() && got.bits[same] == expected[same]) ++same;
    EXPECT_EQ(same, got.bits.size()) << "bits alike before the first that differs";
  }
}

}  // namespace
