// The one place where coefficients are derived from the parameter values. Each product or sum is
// formed in double precision and rounded to float once, where it is stored. Each parameter is
// read once; two threads that set parameters at once each store a complete recomputation.
#include "engine/overdrive_effect.h"

namespace {

constexpr double kFeedScale = 0.00025f;  // single-precision constant, as the smoothers use it

}  // namespace

void OverdriveEffect::recomputeCoefficients() {
  constexpr auto relaxed = std::memory_order_relaxed;
  const double amp = preAmp.load(relaxed);
  const float cube = static_cast<float>(amp * amp * amp);
  preAmpCubed.store(cube, relaxed);

  const double c = color.load(relaxed);
  const float toneFreqFeed = static_cast<float>(c * c * c * kFeedScale);
  left.toneFreqFeed.store(toneFreqFeed, relaxed);
  right.toneFreqFeed.store(toneFreqFeed, relaxed);

  // Strictly above 0.5: exactly 0.5 (and NaN) keeps the lower drive.
  const double factor = x100Switch.load(relaxed) > 0.5f ? 2500.0 : 25.0;
  // From the stored, rounded cube.
  driveFeed.store(static_cast<float>((factor * static_cast<double>(cube) + 1.0) * kFeedScale),
                  relaxed);
  bandMixFeed.store(
      static_cast<float>((1.0 - static_cast<double>(preBand.load(relaxed))) * kFeedScale), relaxed);
  const double g = postGain.load(relaxed);
  gainFeed.store(static_cast<float>(g * g * kFeedScale), relaxed);

  const double pole = static_cast<double>(postFilter.load(relaxed)) * static_cast<double>(0.7f) +
                      static_cast<double>(0.2f);
  // The weight comes from the unrounded pole.
  const PostFilterCoefficients post{static_cast<float>(pole), static_cast<float>(1.0 - pole)};
  postFilterCoefficients.store(post, relaxed);
}
