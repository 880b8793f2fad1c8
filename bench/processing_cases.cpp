#include "bench/processing_cases.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/bench_signal.h"
#include "bench/peer_effect.h"
#include "tests/support/split_mix.h"

namespace {

enum class Chain { overdrive, baseline };

void process(OverdriveInstance& instance, Chain chain, float** in, float** out, int32_t frames) {
  if (chain == Chain::overdrive)
    instance.process(in, out, frames);
  else
    instance.processBaseline(in, out, frames);
}

// One block per iteration, at a steady program or with parameters moving between blocks.
void steadyNoise(benchmark::State& state, Chain chain, bool moving) {
  const auto frames = static_cast<int32_t>(state.range(0));
  OverdriveInstance instance(kDriveProgram);
  NoiseRing noise(0.5f, 1);
  StereoBuffer out(frames);
  for (auto _ : state) {
    if (moving) instance.moveParameters();
    process(instance, chain, noise.next(frames), out.at(0), frames);
    benchmark::ClobberMemory();
  }
  state.counters["frames"] = frames;
}

// A loud block, then seven silent ones in which the filter states sink toward zero.
constexpr int32_t kDecayBlocks = 8;

void decay(benchmark::State& state, Chain chain) {
  const auto frames = static_cast<int32_t>(state.range(0));
  OverdriveInstance instance(kDriveProgram);
  NoiseRing loud(1.0f, 2);
  StereoBuffer silence(frames), out(frames);
  for (auto _ : state) {
    process(instance, chain, loud.next(frames), out.at(0), frames);
    for (int32_t b = 1; b < kDecayBlocks; ++b)
      process(instance, chain, silence.at(0), out.at(0), frames);
    benchmark::ClobberMemory();
  }
  state.counters["frames"] = frames * kDecayBlocks;
}

// Instances of "Drive" as a song has them once it plays: a new instance glides to its
// settings for about a second and a half, stepping its smoothers every frame, and hundreds of
// new instances would spend much of a run's frames doing so. Each is settled when made, made
// once and kept for every many-instances case.
OverdriveInstance& settledInstance(size_t index) {
  static std::vector<std::unique_ptr<OverdriveInstance>> instances;
  while (instances.size() <= index) {
    auto& instance = instances.emplace_back(std::make_unique<OverdriveInstance>(kDriveProgram));
    StereoBuffer silence(512);
    for (int32_t done = 0; done < 2 * static_cast<int32_t>(kSampleRate); done += 512)
      instance->process(silence.at(0), silence.at(0), 512);
  }
  return *instances[index];
}

// A song's worth of instances, as a host runs one track after another: each instance has its
// own input block and is called in turn, so nearly all the memory a round touches is the
// plug-in's. The counter is per instance, so the table reads time per frame per instance.
// With Instances::one a single instance takes all those inputs in turn: the same blocks and
// table reads, without the other instances, which tells what the instances themselves cost.
enum class Instances { each, one };

void manyInstances(benchmark::State& state, Chain chain, Instances layout) {
  const auto count = static_cast<int32_t>(state.range(0));
  const auto frames = static_cast<int32_t>(state.range(1));
  std::vector<StereoBuffer> inputs;
  SplitMix random{3};
  for (int32_t n = 0; n < count; ++n) {
    StereoBuffer& input = inputs.emplace_back(frames);
    for (int32_t i = 0; i < frames; ++i) {
      input.left[i] = random.unit() - 0.5f;
      input.right[i] = random.unit() - 0.5f;
    }
  }
  std::vector<OverdriveInstance*> instances;
  for (int32_t n = 0; n < count; ++n)
    instances.push_back(&settledInstance(layout == Instances::each ? n : 0));
  StereoBuffer out(frames);
  for (auto _ : state) {
    for (int32_t n = 0; n < count; ++n)
      process(*instances[n], chain, inputs[n].at(0), out.at(0), frames);
    benchmark::ClobberMemory();
  }
  state.counters["frames"] = static_cast<double>(count) * frames;
}

void peer(benchmark::State& state) {
  const auto frames = static_cast<int32_t>(state.range(0));
  PeerEffect effect(kPeerPath, kSampleRate, frames);
  NoiseRing noise(0.5f, 1);
  StereoBuffer out(frames);
  for (auto _ : state) {
    effect.process(noise.next(frames), out.at(0), frames);
    benchmark::ClobberMemory();
  }
  state.counters["frames"] = frames;
}

// Five runs of each case; the fastest counts, as the one least disturbed by other load.
benchmark::internal::Benchmark* settle(benchmark::internal::Benchmark* b) {
  return b->Repetitions(5)
      ->ReportAggregatesOnly(true)
      ->ComputeStatistics(
          "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
      ->MinTime(0.2)
      ->Unit(benchmark::kNanosecond);
}

}  // namespace

void registerProcessingCases() {
  for (const auto& [name, chain] :
       {std::pair{"Overdrive", Chain::overdrive}, std::pair{"Baseline", Chain::baseline}}) {
    const std::string prefix = name;
    settle(benchmark::RegisterBenchmark((prefix + "/Drive").c_str(), steadyNoise, chain, false)
               ->Arg(32)
               ->Arg(512)
               ->Arg(4096));
    settle(benchmark::RegisterBenchmark((prefix + "/Moving").c_str(), steadyNoise, chain, true)
               ->Arg(32)
               ->Arg(512)
               ->Arg(4096));
    settle(benchmark::RegisterBenchmark((prefix + "/Decay").c_str(), decay, chain)->Arg(512));
  }
  const auto manyCase = [](const char* name, Chain chain, Instances layout) {
    settle(benchmark::RegisterBenchmark(name, manyInstances, chain, layout)
               ->ArgsProduct({{kManyInstanceCounts.begin(), kManyInstanceCounts.end()},
                              {kManyInstanceBlocks.begin(), kManyInstanceBlocks.end()}}));
  };
  manyCase("Many", Chain::overdrive, Instances::each);
  manyCase("ManyBaseline", Chain::baseline, Instances::each);
  manyCase("ManyInputsOneInstance", Chain::overdrive, Instances::one);
  settle(benchmark::RegisterBenchmark("Peer/Drive", peer)->Arg(32)->Arg(512)->Arg(4096));
}
