// The benchmark cases: the plug-in, the reference chain and the peer on the same noise at
// 32, 512 and 4096 frames per block, with the "Drive" program held or automated, the decay
// case, and many instances called in turn ("Many/<instances>/<block>", "ManyBaseline/..."
// for the reference chain, "ManyInputsOneInstance/..." for one instance taking all their
// inputs). Each case reports its frames per iteration as the counter
// "frames"; a many-instances case counts the frames of one instance.
#pragma once

#include <array>
#include <cstdint>

constexpr std::array<int64_t, 5> kManyInstanceCounts = {1, 16, 64, 128, 256};
constexpr std::array<int64_t, 2> kManyInstanceBlocks = {64, 128};

void registerProcessingCases();
