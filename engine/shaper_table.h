// The sine shaping function: a quarter period of a sine on each side of the table's centre,
// built once per instance and read through one lookup that owns the clamp and the index rule.
#pragma once

#include <cstdint>

#include "engine/lane_pair.h"

constexpr int32_t kShaperTableSize = 65536;

// Fills `table` (kShaperTableSize floats).
void buildShaperTable(float* table);

// Clamps to [-1, 1] (NaN lands on -1) and reads entry 32768 + trunc(32767 v).
inline float shaperLookup(const float* table, float v) {
  if (!(v >= -1.0f))
    v = -1.0f;
  else if (v > 1.0f)
    v = 1.0f;
  // The product of a float and 32767 is exact in double; the conversion truncates toward zero.
  const int32_t n = static_cast<int32_t>(static_cast<double>(v) * -32767.0);
  return table[32768 - n];
}

// shaperLookup of both lanes at once: the same clamp and index rule, one table read per lane.
inline LanePair shaperLookupPair(const float* table, LanePair v) {
  const __m128i n = _mm_cvttpd_epi32(clampPair(v, pairOf(-1.0), pairOf(1.0)) * pairOf(-32767.0));
  return widen(table[32768 - _mm_cvtsi128_si32(n)],
               table[32768 - _mm_cvtsi128_si32(_mm_shuffle_epi32(n, 1))]);
}
