// The pre-roll: silence run through the plug-in before the file's first frame, so that the file
// sounds as the chosen settings ask from its first sample instead of gliding to them from the
// plug-in's power-on values.
#pragma once

#include <cstdint>
#include <functional>

#include "tools/hosting/host_session.h"

// For a plug-in whose settling cannot be observed.
constexpr double kDefaultPrerollSeconds = 2.0;
// However the settings glide, a pre-roll stops here.
constexpr double kLongestPrerollSeconds = 60.0;

// True for the Vorra OverDrive record (unique id ZRVQ).
bool isOverdrive(const AEffect& record);

// The frames of silence, in whole blocks, after which Vorra OverDrive's smoothed values stop
// changing. An instance of the engine compiled into this program, given `select` (program and
// settings), the sample rate and the block size, runs on silence until a whole block leaves the
// smoothed values' bits unchanged; at most kLongestPrerollSeconds.
int64_t overdriveSettlingFrames(const std::function<void(HostSession&)>& select, float sampleRate,
                                int32_t blockSize);
