#include "engine/engine_probe.h"

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

ChannelSnapshot snapshotOf(const ChannelState& c) {
  return {c.toneLow,  c.toneBand,  c.toneHigh,  c.toneFreq, c.toneFreqFeed.load(kRelaxed),
          c.splitLow, c.splitBand, c.splitHigh, c.post1,    c.post2};
}

void restoreInto(ChannelState& c, const ChannelSnapshot& s) {
  c.toneLow = s.toneLow;
  c.toneBand = s.toneBand;
  c.toneHigh = s.toneHigh;
  c.toneFreq = s.toneFreq;
  c.toneFreqFeed.store(s.toneFreqFeed, kRelaxed);
  c.splitLow = s.splitLow;
  c.splitBand = s.splitBand;
  c.splitHigh = s.splitHigh;
  c.post1 = s.post1;
  c.post2 = s.post2;
}

}  // namespace

EngineSnapshot EngineProbe::snapshot(const OverdriveEngine& e) {
  return {snapshotOf(e.left),
          snapshotOf(e.right),
          e.drive,
          e.bandMix,
          e.gain,
          e.peakLevel.load(kRelaxed),
          e.preAmpCubed.load(kRelaxed),
          e.driveFeed.load(kRelaxed),
          e.bandMixFeed.load(kRelaxed),
          e.gainFeed.load(kRelaxed),
          e.postFilterCoefficients.load(kRelaxed)};
}

void EngineProbe::restore(OverdriveEngine& e, const EngineSnapshot& state) {
  restoreInto(e.left, state.left);
  restoreInto(e.right, state.right);
  e.drive = state.drive;
  e.bandMix = state.bandMix;
  e.gain = state.gain;
  e.peakLevel.store(state.peakLevel, kRelaxed);
  e.preAmpCubed.store(state.preAmpCubed, kRelaxed);
  e.driveFeed.store(state.driveFeed, kRelaxed);
  e.bandMixFeed.store(state.bandMixFeed, kRelaxed);
  e.gainFeed.store(state.gainFeed, kRelaxed);
  e.postFilterCoefficients.store(state.postFilter, kRelaxed);
}
