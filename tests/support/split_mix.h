// splitmix64: one deterministic sequence on every target, no library randomness involved, so a
// randomized session is the same session on linux, win32 and win64.
#pragma once

#include <cstdint>

struct SplitMix {
  uint64_t state;
  uint64_t next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  uint32_t below(uint32_t n) { return static_cast<uint32_t>(next() % n); }
  // A float in [0, 1) with 24 random bits: exact, no rounding anywhere.
  float unit() { return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f); }
};
