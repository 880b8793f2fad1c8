// Two threads change different parameters at the same moment (the host's automation, the
// editor). Whatever the interleaving, the coefficients the engine is left with derive from the
// final values. The pause holds one thread after it read the values and before it stores what
// it derived, while the other makes its change: the moment where a stale derivation would
// overwrite a fresh one.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "engine/coefficient_pause.h"
#include "engine/engine_probe.h"
#include "engine/overdrive_engine.h"

namespace {

std::atomic<bool> holdNext{false};
std::atomic<bool> held{false};
std::atomic<bool> release{false};

// Holds the first derivation that meets it once armed, until released.
void pauseOnce() {
  if (!holdNext.exchange(false)) return;
  held.store(true);
  while (!release.load()) std::this_thread::yield();
}

struct Coefficients {
  explicit Coefficients(const OverdriveEngine& engine) : s(EngineProbe::snapshot(engine)) {}
  bool operator==(const Coefficients& o) const {
    return s.preAmpCubed == o.s.preAmpCubed && s.driveFeed == o.s.driveFeed &&
           s.bandMixFeed == o.s.bandMixFeed && s.gainFeed == o.s.gainFeed &&
           s.left.toneFreqFeed == o.s.left.toneFreqFeed &&
           std::memcmp(&s.postFilter, &o.s.postFilter, sizeof s.postFilter) == 0;
  }
  EngineSnapshot s;
};

TEST(CoefficientRace, ADerivationThatReadStaleValuesIsDoneAgain) {
  coefficientPause = pauseOnce;
  OverdriveEngine raced, calm;
  // The editor's thread switches x100 on and is held with PreAmp still 0 in hand...
  holdNext.store(true);
  std::thread editor([&] { raced.setParameter(kX100Switch, 1.0f); });
  while (!held.load()) std::this_thread::yield();
  // ...while the host's thread moves PreAmp, derives and stores its coefficients...
  raced.setParameter(kPreAmp, 0.9f);
  // ...and then the held thread stores what it derived from the old PreAmp.
  release.store(true);
  editor.join();
  coefficientPause = nullptr;

  calm.setParameter(kX100Switch, 1.0f);
  calm.setParameter(kPreAmp, 0.9f);
  EXPECT_TRUE(Coefficients(raced) == Coefficients(calm))
      << "driveFeed " << Coefficients(raced).s.driveFeed << ", from the final values "
      << Coefficients(calm).s.driveFeed;
}

}  // namespace
