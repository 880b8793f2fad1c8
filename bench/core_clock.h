// The core's clock as a program sees it, for turning times into cycles: the time of a chain of
// dependent integer additions, one cycle each on every x86 core.
#pragma once

// Cycles per nanosecond, the best of several short runs.
double measureCyclesPerNanosecond();
