// A small driver for figures the benchmark library cannot give on every target:
//   instructions overdrive|baseline [frames] [block]
//       runs the "Drive" program over noise inside measuredSession, after two seconds in
//       which its smoothers settle, for valgrind --tool=callgrind --toggle-collect=measuredSession;
//   timing [block]
//       times the plug-in against the reference chain, alternating, and prints both per frame
//       and their ratio (this is what runs under Wine for the Windows targets).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/bench_signal.h"
#include "bench/core_clock.h"

namespace {

enum class Chain { overdrive, baseline };

// Whole blocks until at least `frames` frames are processed.
void runBlocks(OverdriveInstance& instance, Chain chain, NoiseRing& noise, StereoBuffer& out,
               int32_t frames, int32_t block) {
  for (int32_t done = 0; done < frames; done += block) {
    if (chain == Chain::overdrive)
      instance.process(noise.next(block), out.at(0), block);
    else
      instance.processBaseline(noise.next(block), out.at(0), block);
  }
}

}  // namespace

extern "C" __attribute__((noinline)) void measuredSession(OverdriveInstance& instance, int chain,
                                                          NoiseRing& noise, StereoBuffer& out,
                                                          int32_t frames, int32_t block) {
  runBlocks(instance, static_cast<Chain>(chain), noise, out, frames, block);
}

namespace {

int instructions(const std::string& name, int32_t frames, int32_t block) {
  if (name != "overdrive" && name != "baseline") return 2;
  const Chain chain = name == "overdrive" ? Chain::overdrive : Chain::baseline;
  OverdriveInstance instance(kDriveProgram);
  NoiseRing noise(0.5f, 1);
  StereoBuffer out(block);
  // Two seconds first, in which the smoothers settle on the program: the count is that of a
  // held setting, as in the benchmark's "Drive" case.
  runBlocks(instance, chain, noise, out, 98304, block);
  measuredSession(instance, static_cast<int>(chain), noise, out, frames, block);
  std::printf("%s: %d frames in blocks of %d\n", name.c_str(), (frames + block - 1) / block * block,
              block);
  return 0;
}

double nsPerFrame(OverdriveInstance& instance, Chain chain, NoiseRing& noise, StereoBuffer& out,
                  int32_t block) {
  const int32_t frames = block * std::max(1, 65536 / block);
  const auto start = std::chrono::steady_clock::now();
  runBlocks(instance, chain, noise, out, frames, block);
  const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count() / frames;
}

int timing(int32_t block) {
  OverdriveInstance overdrive(kDriveProgram), baseline(kDriveProgram);
  NoiseRing noise(0.5f, 1);
  StereoBuffer out(block);
  double best[2] = {1e30, 1e30};
  for (int run = 0; run < 40; ++run) {
    best[0] = std::min(best[0], nsPerFrame(overdrive, Chain::overdrive, noise, out, block));
    best[1] = std::min(best[1], nsPerFrame(baseline, Chain::baseline, noise, out, block));
  }
  const double cyclesPerNs = measureCyclesPerNanosecond();
  std::printf("block %d, fastest of 40 runs, core clock %.2f GHz\n", block, cyclesPerNs);
  std::printf("overdrive %.2f ns/frame (%.1f cycles), baseline %.2f ns/frame (%.1f cycles)\n",
              best[0], best[0] * cyclesPerNs, best[1], best[1] * cyclesPerNs);
  std::printf("x baseline %.2f\n", best[1] / best[0]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "instructions") == 0) {
    const int32_t frames = argc > 3 ? std::atoi(argv[3]) : 49152;
    const int32_t block = argc > 4 ? std::atoi(argv[4]) : 512;
    if (frames > 0 && block > 0 && instructions(argv[2], frames, block) == 0) return 0;
  } else if (argc >= 2 && std::strcmp(argv[1], "timing") == 0) {
    const int32_t block = argc > 2 ? std::atoi(argv[2]) : 512;
    if (block > 0) return timing(block);
  }
  std::fprintf(stderr,
               "usage: %s instructions overdrive|baseline [frames] [block]\n"
               "       %s timing [block]\n",
               argv[0], argv[0]);
  return 2;
}
