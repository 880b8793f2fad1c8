// One shaper table per loaded library. The table depends on nothing but its formula, so every
// instance reads the same copy: a song with a hundred instances keeps 256 KiB of table in the
// caches instead of 25 MiB. The first instance that needs it builds it, the last one to let go
// releases it, so a host that unloads the library leaks nothing.
#pragma once

// The built table, read-only; null when it cannot be allocated, and a later call tries again.
// Any thread may call it, while others acquire or release. Every non-null answer is paired
// with one releaseShaperTable.
const float* acquireShaperTable();

void releaseShaperTable();
