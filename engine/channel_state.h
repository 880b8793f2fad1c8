// The filter states of one channel, as stored between blocks. Left and right each have one; a
// block widens both into the two lanes of one ChannelPair (engine/channel_pair.h) and stores
// them back at its end, so one piece of code runs both channels at once.
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
