// What happens to the engine state between blocks, never per frame.
#pragma once

#include "engine/overdrive_engine.h"

// Before a block's frames: smoothed values that are not finite go back to their start, and the
// twelve tone and split filter states are flushed.
void beginBlock(OverdriveEngine& engine);

// After a block's frames: the four post-filter states are flushed.
void endBlock(OverdriveEngine& engine);
