// The one place where coefficients are derived from the parameter values. Each product or sum is
// formed in double precision and rounded to float once, where it is stored.
#include "engine/coefficient_pause.h"
#include "engine/overdrive_engine.h"

namespace {

constexpr double kFeedScale = 0.00025f;  // single-precision constant, as the smoothers use it

}  // namespace

void (*coefficientPause)() = nullptr;

// Two threads may change different parameters at once (the host's automation, the editor). Each
// derivation reads every value once, so one that read a value just before another thread changed
// it would store stale coefficients after the other thread's fresh ones, and they would stay
// wrong until the next change. So every derivation ends with one read-modify-write of the change
// counter: it tells windows of the change (after the coefficients, which they do not read), and
// it finds whether another derivation finished since this one began. If one did, the two may
// have read each other's values stale, so this one derives again: the counter orders the two,
// and the one that comes second in it always derives from the other's value. Nothing waits, on
// any thread, and a change still reaches the sound within the block.
void OverdriveEngine::recomputeCoefficients() {
  uint32_t seen = changes.load(std::memory_order_acquire);
  for (;;) {
    deriveCoefficients();
    const uint32_t before = changes.fetch_add(1, std::memory_order_acq_rel);
    if (before == seen) return;
    seen = before + 1;
  }
}

void OverdriveEngine::deriveCoefficients() {
  constexpr auto relaxed = std::memory_order_relaxed;
  const double amp = values[kPreAmp].load(relaxed);
  const double c = values[kColor].load(relaxed);
  const float x100 = values[kX100Switch].load(relaxed);
  const double preBand = values[kPreBand].load(relaxed);
  const double g = values[kPostGain].load(relaxed);
  const double postFilter = values[kPostFilter].load(relaxed);
  if (coefficientPause) coefficientPause();

  const float cube = static_cast<float>(amp * amp * amp);
  preAmpCubed.store(cube, relaxed);

  const float toneFreqFeed = static_cast<float>(c * c * c * kFeedScale);
  left.toneFreqFeed.store(toneFreqFeed, relaxed);
  right.toneFreqFeed.store(toneFreqFeed, relaxed);

  const double factor = switchIsOn(x100) ? 2500.0 : 25.0;
  // From the stored, rounded cube.
  driveFeed.store(static_cast<float>((factor * static_cast<double>(cube) + 1.0) * kFeedScale),
                  relaxed);
  bandMixFeed.store(static_cast<float>((1.0 - preBand) * kFeedScale), relaxed);
  gainFeed.store(static_cast<float>(g * g * kFeedScale), relaxed);

  const double pole = postFilter * static_cast<double>(0.7f) + static_cast<double>(0.2f);
  // The weight comes from the unrounded pole.
  const PostFilterCoefficients post{static_cast<float>(pole), static_cast<float>(1.0 - pole)};
  postFilterCoefficients.store(post, relaxed);
}
