// The benchmark cases: the plug-in, the reference chain and the peer on the same noise at
// 32, 512 and 4096 frames per block, with the "Drive" program held or automated, and the
// decay case. Each case reports its frames per iteration as the counter "frames".
#pragma once

void registerProcessingCases();
