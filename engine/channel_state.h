// The filter states of one channel. Left and right each have one; the chain is one piece of
// code applied to either.
#pragma once

#include <atomic>

struct ChannelState {
  float toneLow = 0;                   // tone filter, low-pass state
  float toneBand = 0;                  // tone filter, band-pass state
  float toneHigh = 0;                  // tone filter, high-pass value of the last sample
  float toneFreq = 0;                  // smoothed frequency coefficient
  std::atomic<float> toneFreqFeed{0};  // its smoother's input per sample: color^3 x 0.00025;
                                       // stored on the thread that sets Color
  float splitLow = 0;                  // split filter, low-pass state
  float splitBand = 0;                 // split filter, band-pass state
  float splitHigh = 0;                 // split filter, high-pass value of the last sample
  float post1 = 0;                     // first post-filter stage
  float post2 = 0;                     // second post-filter stage: the channel's final value
};
