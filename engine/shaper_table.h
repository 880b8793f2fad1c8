// The sine shaping function: a quarter period of a sine on each side of the table's centre,
// built once per loaded library (engine/shared_shaper_table.h) and read through one lookup that
// owns the clamp and the index rule.
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

// The table indices of both lanes, as shaperLookup forms them, each less 32768: the same clamp,
// and 32768 - trunc(-32767 v) is 32768 + trunc(32767 v).
inline __m128i shaperOffsets(LanePair v) {
  return _mm_cvttpd_epi32(clampPair(v, pairOf(-1.0), pairOf(1.0)) * pairOf(32767.0));
}

// The entry that an offset from shaperOffsets selects.
inline double shaperEntry(const float* table, int32_t offset) { return (table + 32768)[offset]; }
