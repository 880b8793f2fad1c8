// The smoothed control values of both channels as two-lane values for the length of a block:
// drive and band mix side by side in one pair (they feed one two-lane step), gain in both lanes
// (it multiplies both channels), the tone frequency per channel. Each glides toward its feed
// once per frame: s <- s x k + feed, stored as a float. The gain steps apart from the others,
// when the frame it multiplies gets to it.
#pragma once

#include "engine/chain_constants.h"
#include "engine/frame_coefficients.h"
#include "engine/lane_pair.h"
#include "engine/overdrive_engine.h"

struct Smoothers {
  // What the filters use in one frame: drive and band mix unrounded, the tone frequency as
  // stored.
  struct Controls {
    LanePair drive, bandMix, toneFreq;
  };

  explicit Smoothers(const OverdriveEngine& e)
      : driveBandMix(pairOf(e.drive, e.bandMix)),
        gain(pairOf(e.gain)),
        toneFreq(widen(e.left.toneFreq, e.right.toneFreq)) {}

  void storeTo(OverdriveEngine& e) const {
    e.drive = static_cast<float>(leftOf(driveBandMix));
    e.bandMix = static_cast<float>(rightOf(driveBandMix));
    e.gain = static_cast<float>(leftOf(gain));
    e.left.toneFreq = static_cast<float>(leftOf(toneFreq));
    e.right.toneFreq = static_cast<float>(rightOf(toneFreq));
  }

  Controls stepControls(const FrameCoefficients& coefficients) {
    const LanePair unrounded = driveBandMix * pairOf(kSmoothing) + coefficients.driveBandMixFeed;
    driveBandMix = storedAsFloat(unrounded);
    toneFreq = storedAsFloat(toneFreq * pairOf(kSmoothing) + coefficients.toneFreqFeed);
    return {_mm_unpacklo_pd(unrounded, unrounded), _mm_unpackhi_pd(unrounded, unrounded), toneFreq};
  }

  // The stored gain after the step.
  LanePair stepGain(const FrameCoefficients& coefficients) {
    return gain = storedAsFloat(gain * pairOf(kSmoothing) + coefficients.gainFeed);
  }

  // True when a step with these feeds changes no stored bit. A step depends on nothing but the
  // stored values and the feeds, so every later frame with the same feeds would use the same
  // controls, which `controls` receives, and the same gain, the stored one: the smoothers need
  // not step again until a feed changes.
  bool settledOn(const FrameCoefficients& coefficients, Controls& controls) const {
    Smoothers next = *this;
    next.stepGain(coefficients);
    controls = next.stepControls(coefficients);
    return sameBits(next.driveBandMix, driveBandMix) && sameBits(next.gain, gain) &&
           sameBits(next.toneFreq, toneFreq);
  }

  LanePair driveBandMix, gain, toneFreq;  // as stored

 private:
  static bool sameBits(LanePair a, LanePair b) {
    return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_castpd_si128(a), _mm_castpd_si128(b))) == 0xFFFF;
  }
};
