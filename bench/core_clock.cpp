#include "bench/core_clock.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

double measureCyclesPerNanosecond() {
  constexpr int64_t kRounds = 1000000;
  constexpr int kAddsPerRound = 8;
  double best = 0.0;
  for (int run = 0; run < 60; ++run) {
    intptr_t chain = 0;
    const intptr_t step = 1;
    const auto start = std::chrono::steady_clock::now();
    for (int64_t i = 0; i < kRounds; ++i) {
      // Register additions: unlike additions of constants, no core folds them at renaming.
      __asm__ volatile(
          "add %1, %0\n\tadd %1, %0\n\tadd %1, %0\n\tadd %1, %0\n\t"
          "add %1, %0\n\tadd %1, %0\n\tadd %1, %0\n\tadd %1, %0"
          : "+r"(chain)
          : "r"(step));
    }
    const std::chrono::duration<double, std::nano> elapsed =
        std::chrono::steady_clock::now() - start;
    best = std::max(best, static_cast<double>(kRounds * kAddsPerRound) / elapsed.count());
  }
  return best;
}
