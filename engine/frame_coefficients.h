// The coefficients every frame reads: the smoothers' feeds and the post filter's pole and weight,
// which another thread may store while a block runs. Each frame loads their bits afresh and
// compares them with the last frame's; only a changed bit makes the frame widen and spread them
// again. Between parameter changes that never happens, so a frame pays six loads and one
// comparison instead of the conversions and shuffles, which compete with the chain itself.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "engine/lane_pair.h"
#include "engine/overdrive_engine.h"

// The coefficients' bits as one frame loaded them: one relaxed atomic load each, so the compiler
// reads them from memory every frame, and the post filter's pair comes from one store.
struct CoefficientBits {
  uint64_t postFilter;  // postFeedback, postInputWeight
  uint32_t driveFeed;
  uint32_t bandMixFeed;
  uint32_t gainFeed;
  uint32_t toneFreqFeedLeft;
  uint32_t toneFreqFeedRight;

  // A field's bits, from one relaxed load.
  template <typename T>
  static auto bitsOf(const std::atomic<T>& field) {
    using Bits = std::conditional_t<sizeof(T) == 8, uint64_t, uint32_t>;
    static_assert(sizeof(T) == sizeof(Bits) && std::atomic<T>::is_always_lock_free,
                  "one plain load of the value's bits");
    const T value = field.load(std::memory_order_relaxed);
    Bits bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
  }

  static CoefficientBits load(const OverdriveEngine& e) {
    return {bitsOf(e.postFilterCoefficients),
            bitsOf(e.driveFeed),
            bitsOf(e.bandMixFeed),
            bitsOf(e.gainFeed),
            bitsOf(e.left.toneFreqFeed),
            bitsOf(e.right.toneFreqFeed)};
  }

  bool differsFrom(const CoefficientBits& o) const {
    return ((postFilter ^ o.postFilter) | (driveFeed ^ o.driveFeed) |
            (bandMixFeed ^ o.bandMixFeed) | (gainFeed ^ o.gainFeed) |
            (toneFreqFeedLeft ^ o.toneFreqFeedLeft) | (toneFreqFeedRight ^ o.toneFreqFeedRight)) !=
           0;
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
      : driveBandMixFeed(pairOf(widenOne(bits.driveFeed), widenOne(bits.bandMixFeed))),
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
