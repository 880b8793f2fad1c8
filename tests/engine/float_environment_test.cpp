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

// The calling thread's floating-point state: the vector unit's register and, on Windows, where
// MinGW's sine builds the shaper table on the x87 unit, that unit's controls and flags.
struct FpState {
  uint32_t csr;
  uint16_t x87Control = 0x037F;  // all masked, 64-bit precision, to nearest
  uint16_t x87Flags = 0;
  bool operator!=(const FpState& o) const {
    return csr != o.csr || x87Control != o.x87Control || x87Flags != o.x87Flags;
  }
};

constexpr FpState kDefault{0x1F80};  // SSE: all masked, to nearest, no flushing

FpState current() {
  FpState state{_mm_getcsr()};
#if defined(_WIN32)
  std::fenv_t env;
  std::fegetenv(&env);
  state.x87Control = env.__control_word;
  state.x87Flags = env.__status_word & 0x3F;
#endif
  return state;
}

void enter(const FpState& state) {
#if defined(_WIN32)
  std::fenv_t env;
  std::fegetenv(&env);
  env.__control_word = state.x87Control;
  env.__status_word = static_cast<uint16_t>((env.__status_word & ~0x3F) | state.x87Flags);
  std::fesetenv(&env);
#endif
  _mm_setcsr(state.csr);
}

struct HostState {
  const char* name;
  FpState state;
};

const HostState kHostStates[] = {
    {"default", kDefault},
    {"flush to zero, denormals are zero", {0x1F80 | 0x8040}},
    {"rounding down", {0x1F80 | 0x2000}},
    {"rounding up", {0x1F80 | 0x4000}},
    {"rounding toward zero", {0x1F80 | 0x6000}},
    {"every exception unmasked", {0x0000}},
    {"every flag raised, flushing", {0x1F80 | 0x8040 | 0x003F}},
#if defined(_WIN32)
    {"x87 at 53-bit precision, rounding down", {0x1F80, 0x027F | 0x0400}},
    {"x87 at 24-bit precision, rounding up", {0x1F80, 0x007F | 0x0800}},
#endif
};

// What one session saw: its bits, and the entries that returned with the host's state changed.
struct Session {
  std::vector<uint32_t> bits;
  std::vector<std::string> unrestored;
};

// Runs `call` on this thread in the host's state, notes whether the state is exactly as the host
// left it, and returns to the default state for the test's own work.
void asHost(const FpState& host, Session& seen, const char* what,
            const std::function<void()>& call) {
  enter(host);
  const FpState before = current();
  call();
  const FpState after = current();
  enter(kDefault);
  if (after != before) seen.unrestored.push_back(what);
}

// One session through every entry, made in the host's state: creation, a program, parameters,
// loud noise with denormal samples in it, then silence in which the post filter decays through
// the denormal range, through both processing entries; then the meter, every state and the
// parameters, all as bits.
Session session(const FpState& host) {
  Session seen;
  auto call = [&](const char* what, const std::function<void()>& entry) {
    asHost(host, seen, what, entry);
  };
  auto add = [&](float value) { seen.bits.push_back(bitsOf(value)); };
  AEffect* r = nullptr;
  call("main", [&] { r = pluginMain(RecordingHost::callback); });
  if (!r) {
    ADD_FAILURE() << "no instance";
    return seen;
  }
  call("dispatcher", [&] { r->dispatcher(r, effSetProgram, 0, 2, nullptr, 0.0f); });
  const float values[] = {0.37f, 0.81f, 0.66f, 1.0f, 0.13f, 0.92f};
  for (int32_t i = 0; i < 6; ++i) call("setParameter", [&] { r->setParameter(r, i, values[i]); });

  SplitMix random{4242};
  for (int block = 0; block < 12; ++block) {
    const int32_t n = 64 + static_cast<int32_t>(random.below(400));
    StereoBuffer in(static_cast<size_t>(n)), out(static_cast<size_t>(n), 0.25f, -0.25f);
    for (size_t i = 0; i < in.left.size(); ++i) {
      in.left[i] = block < 4 ? random.unit() - 0.5f : 0.0f;
      in.right[i] = block < 4 && i % 7 ? random.unit() - 0.5f : 3e-41f;
    }
    const AEffectProcessProc entry = block % 2 ? r->process : r->processReplacing;
    call(block % 2 ? "process" : "processReplacing",
         [&] { entry(r, in.channels(), out.channels(), n); });
    for (size_t i = 0; i < out.left.size(); ++i) {
      add(out.left[i]);
      add(out.right[i]);
    }
    intptr_t vu = 0;
    call("dispatcher", [&] { vu = r->dispatcher(r, effGetVu, 0, 0, nullptr, 0.0f); });
    seen.bits.push_back(static_cast<uint32_t>(vu));
  }

  const EngineSnapshot e =
      EngineProbe::snapshot(static_cast<OverdriveEffect*>(effectOf(r))->engine());
  for (const ChannelSnapshot* c : {&e.left, &e.right}) {
    for (float v : {c->toneLow, c->toneBand, c->toneHigh, c->toneFreq, c->splitLow, c->splitBand,
                    c->splitHigh, c->post1, c->post2, c->toneFreqFeed})
      add(v);
  }
  for (float v : {e.drive, e.bandMix, e.gain, e.peakLevel, e.driveFeed, e.gainFeed}) add(v);
  for (int32_t i = 0; i < 6; ++i) {
    float value = 0;
    call("getParameter", [&] { value = r->getParameter(r, i); });
    add(value);
  }
  call("dispatcher", [&] { r->dispatcher(r, effClose, 0, 0, nullptr, 0.0f); });
  return seen;
}

TEST(FloatEnvironment, EveryHostStateGetsTheDefaultStateBitsAndKeepsItsOwn) {
  RecordingHost host;
  const std::vector<uint32_t> expected = session(kDefault).bits;
  for (const HostState& state : kHostStates) {
    SCOPED_TRACE(state.name);
    const Session got = session(state.state);
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
