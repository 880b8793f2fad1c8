// Two-lane double arithmetic for the stereo pair: lane 0 is the left channel, lane 1 the
// right. Every operator is one IEEE operation per lane, in the order written, so each lane
// computes bit for bit what the one-channel chain computes.
#pragma once

#include <emmintrin.h>

#include <cstdint>

using LanePair = __m128d;

inline LanePair pairOf(double value) { return _mm_set1_pd(value); }

// Two doubles, left in lane 0.
inline LanePair pairOf(double left, double right) { return _mm_set_pd(right, left); }

// The lowest floats of two vectors, widened exactly: left in lane 0.
inline LanePair widen(__m128 left, __m128 right) {
  return _mm_cvtps_pd(_mm_unpacklo_ps(left, right));
}

inline LanePair widen(float left, float right) {
  return widen(_mm_set_ss(left), _mm_set_ss(right));
}

// What a float state holds once each lane is stored: rounded to float, widened back.
inline LanePair storedAsFloat(LanePair v) { return _mm_cvtps_pd(_mm_cvtpd_ps(v)); }

// Two 32-bit integers in memory. Stored together and read back one by one, the pair takes
// fewer instructions than moving each lane out of the vector register.
struct alignas(8) IntPair {
  int32_t lanes[2];
};

inline void storeLanes(__m128i v, IntPair& slot) {
  _mm_storel_epi64(reinterpret_cast<__m128i*>(slot.lanes), v);
}

// The lanes of a pair of floats (from _mm_cvtpd_ps).
inline float leftOf(__m128 v) { return _mm_cvtss_f32(v); }
inline float rightOf(__m128 v) { return _mm_cvtss_f32(_mm_shuffle_ps(v, v, 1)); }

inline double leftOf(LanePair v) { return _mm_cvtsd_f64(v); }
inline double rightOf(LanePair v) { return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v)); }

// Not below `lower`, else not above `upper`: the lower bound is tested first, so a NaN lane
// lands on it (maxpd answers its second operand when the comparison fails).
inline LanePair clampPair(LanePair v, LanePair lower, LanePair upper) {
  return _mm_min_pd(_mm_max_pd(v, lower), upper);
}

// Each lane's value if it is finite, else 0 (x - x is 0 exactly when x is finite).
inline LanePair finiteOrZero(LanePair v) {
  return _mm_and_pd(v, _mm_cmpeq_pd(_mm_sub_pd(v, v), _mm_setzero_pd()));
}
