// The pre-roll: silence run through the plug-in before the file's first frame, so that the file
// sounds as the chosen settings ask from its first sample instead of gliding to them from the
// plug-in's power-on values.
#pragma once

#include <cstdint>
#include <vector>

// For a plug-in whose settling cannot be observed.
constexpr double kDefaultPrerollSeconds = 2.0;
// However the settings glide, a pre-roll stops here.
constexpr double kLongestPrerollSeconds = 60.0;

// The frames of silence, in whole blocks, after which Vorra OverDrive's smoothed values stop
// changing. An engine compiled into this program, given the instance's parameter values, the
// sample rate and the block size, runs on silence until a whole block leaves the smoothed values'
// bits unchanged; at most kLongestPrerollSeconds. The same in every format, whose instances all
// hold this engine.
int64_t overdriveSettlingFrames(const std::vector<float>& values, float sampleRate,
                                int32_t blockSize);
