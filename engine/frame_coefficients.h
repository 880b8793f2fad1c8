// The coefficients every frame reads: the smoothers' feeds and the post filter's pole and weight,
// which another thread may store while a block runs. Each frame loads their bits afresh and
// compares them with the last frame's; only a changed bit makes the frame widen and spread them
// again. Between parameter changes that never happens, so a frame pays five loads and one
// comparison instead of the conversions and shuffles, which compete with the chain itself.
#pragma once

#include <cstdint>
#include <cstring>

#include "engine/lane_pair.h"
#include "engine/overdrive_effect.h"

// The coefficients' bits as one frame loaded them. Each pair is one 8-byte load, so both of its
// floats come from the same store.
struct CoefficientBits {
  uint64_t driveBandMixFeed;  // driveFeed, bandMixFeed
  uint64_t postFilter;        // postFeedback, postInputWeight
  uint32_t gainFeed;
  uint32_t toneFreqFeedLeft;
  uint32_t toneFreqFeedRight;

  static CoefficientBits load(const OverdriveEffect& e);

  bool differsFrom(const CoefficientBits& o) const {
    return ((driveBandMixFeed ^ o.driveBandMixFeed) | (postFilter ^ o.postFilter) |
            (gainFeed ^ o.gainFeed) | (toneFreqFeedLeft ^ o.toneFreqFeedLeft) |
            (toneFreqFeedRight ^ o.toneFreqFeedRight)) != 0;
  }
};

// The coefficients widened for the frame's arithmetic: the drive and band mix feeds side by side
// (they feed one two-lane smoother), the others in both lanes (the tone feed per channel).
struct FrameCoefficients {
  explicit FrameCoefficients(const CoefficientBits& bits)
      : FrameCoefficients(bits, widenPair(bits.postFilter)) {}

  LanePair driveBandMixFeed, gainFeed, toneFreqFeed, postFeedback, postInputWeight;

 private:
  FrameCoefficients(const CoefficientBits& bits, LanePair post)
      : driveBandMixFeed(widenPair(bits.driveBandMixFeed)),
        gainFeed(pairOf(widenOne(bits.gainFeed))),
        toneFreqFeed(pairOf(widenOne(bits.toneFreqFeedLeft), widenOne(bits.toneFreqFeedRight))),
        postFeedback(_mm_unpacklo_pd(post, post)),
        postInputWeight(_mm_unpackhi_pd(post, post)) {}

  static double widenOne(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  static LanePair widenPair(uint64_t bits) {
    float values[2];
    std::memcpy(values, &bits, sizeof values);
    return widen(values[0], values[1]);
  }
};

namespace coefficient_loads {

// Loads from memory every time, never from a copy the compiler kept: another thread writes these.
inline uint32_t bitsOf(const float& field) {
  uint32_t bits;
  __asm__ volatile("movl %1, %0" : "=r"(bits) : "m"(field));
  return bits;
}

template <typename Eight>
uint64_t bitsOfPair(const Eight& fields) {
  static_assert(sizeof(Eight) == 8 && alignof(Eight) == 8, "one aligned 8-byte access");
#if defined(__x86_64__)
  uint64_t bits;
  __asm__ volatile("movq %1, %0" : "=r"(bits) : "m"(fields));
  return bits;
#else
  // No 8-byte integer register here: the vector unit makes the one load, then hands over halves.
  __m128i v;
  __asm__ volatile("movq %1, %0" : "=x"(v) : "m"(fields));
  const uint32_t low = static_cast<uint32_t>(_mm_cvtsi128_si32(v));
  const uint32_t high = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_epi64(v, 32)));
  return (static_cast<uint64_t>(high) << 32) | low;
#endif
}

static_assert(std::atomic<PostFilterCoefficients>::is_always_lock_free &&
                  sizeof(std::atomic<PostFilterCoefficients>) == 8,
              "the post filter's pair is read as its 8 bytes");

// driveFeed and bandMixFeed, declared side by side with the first aligned to 8, as one pair.
struct alignas(8) FeedPair {
  float driveFeed, bandMixFeed;
};

}  // namespace coefficient_loads

inline CoefficientBits CoefficientBits::load(const OverdriveEffect& e) {
  using namespace coefficient_loads;
  return {bitsOfPair(reinterpret_cast<const FeedPair&>(e.driveFeed)),
          bitsOfPair(e.postFilterCoefficients), bitsOf(e.gainFeed), bitsOf(e.left.toneFreqFeed),
          bitsOf(e.right.toneFreqFeed)};
}
