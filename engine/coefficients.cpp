// The one place where coefficients are derived from the parameter values. Each product or sum is
// formed in double precision and rounded to float once, where it is stored.
#include "engine/overdrive_effect.h"

namespace {

constexpr double kFeedScale = 0.00025f;  // single-precision constant, as the smoothers use it

}  // namespace

void OverdriveEffect::recomputeCoefficients() {
  const double amp = preAmp;
  preAmpCubed = static_cast<float>(amp * amp * amp);

  const double c = color;
  const float toneFreqFeed = static_cast<float>(c * c * c * kFeedScale);
  left.toneFreqFeed = toneFreqFeed;
  right.toneFreqFeed = toneFreqFeed;

  // Strictly above 0.5: exactly 0.5 (and NaN) keeps the lower drive.
  const double factor = x100Switch > 0.5f ? 2500.0 : 25.0;
  // From the stored, rounded cube.
  driveFeed = static_cast<float>((factor * static_cast<double>(preAmpCubed) + 1.0) * kFeedScale);
  bandMixFeed = static_cast<float>((1.0 - static_cast<double>(preBand)) * kFeedScale);
  const double g = postGain;
  gainFeed = static_cast<float>(g * g * kFeedScale);

  const double pole =
      static_cast<double>(postFilter) * static_cast<double>(0.7f) + static_cast<double>(0.2f);
  // The weight comes from the unrounded pole.
  const PostFilterCoefficients post{static_cast<float>(pole), static_cast<float>(1.0 - pole)};
  postFilterCoefficients.store(post, std::memory_order_relaxed);
}
