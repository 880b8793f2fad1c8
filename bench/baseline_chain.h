// The reference form of the signal path the benchmark compares against: the chain written
// straight down, one frame at a time, left channel then right, on a snapshot of the engine's
// state (engine/engine_probe.h) stored back after the block. It produces the plug-in's output to
// the bit.
#pragma once

#include <cstdint>

#include "engine/overdrive_engine.h"

// Replacing processing of one block on `engine`'s state, as processReplacing does it.
void baselineProcessReplacing(OverdriveEngine& engine, float** inputs, float** outputs,
                              int32_t sampleFrames);
