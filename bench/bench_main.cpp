// Runs the processing cases and prints the performance table: time per stereo frame, times
// real time at 48 kHz, and speed relative to the reference chain and to the peer.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_signal.h"
#include "bench/core_clock.h"
#include "bench/processing_cases.h"

namespace {

// Keeps the fastest run of every case, in nanoseconds per stereo frame, beside the usual output.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  TableReporter() : ConsoleReporter(OO_Tabular) {}  // plain text: the output goes to logs

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.aggregate_name != "min") continue;
      const double frames = run.counters.at("frames").value;
      // "Overdrive/Drive/512/min_time:0.200/repeats:5" is kept as "Overdrive/Drive/512".
      std::string name = run.run_name.str();
      name = name.substr(0, name.find("/min_time"));
      nsPerFrame[name] = run.GetAdjustedCPUTime() / frames;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  std::map<std::string, double> nsPerFrame;
};

void printTable(const std::map<std::string, double>& ns, double cyclesPerNs) {
  for (const char* chain :
       {"Overdrive", "Baseline"}) {  // throws before printing when one is missing
    ns.at(std::string(chain) + "/Decay/512");
    for (const char* kind : {"/Drive/", "/Moving/"}) {
      for (int block : {32, 512, 4096}) ns.at(chain + std::string(kind) + std::to_string(block));
    }
  }
  for (int block : {32, 512, 4096}) ns.at("Peer/Drive/" + std::to_string(block));
  std::printf(
      "\nVorra OverDrive processReplacing, stereo, fastest of 5 runs; core clock %.2f GHz\n",
      cyclesPerNs);
  std::printf("%-7s %6s %9s %13s %12s %11s %8s\n", "case", "block", "ns/frame", "cycles/frame",
              "x real time", "x baseline", "x peer");
  for (const char* kind : {"Drive", "Moving"}) {
    for (int block : {32, 512, 4096}) {
      const std::string suffix = std::string("/") + kind + "/" + std::to_string(block);
      const double own = ns.at("Overdrive" + suffix);
      const double peer = ns.at("Peer/Drive/" + std::to_string(block));
      std::printf("%-7s %6d %9.2f %13.1f %12.0f %11.2f %8.2f\n", kind, block, own,
                  own * cyclesPerNs, 1e9 / (own * kSampleRate), ns.at("Baseline" + suffix) / own,
                  peer / own);
    }
  }
  const double decay = ns.at("Overdrive/Decay/512");
  std::printf("%-7s %6d %9.2f %13.1f %12.0f %11.2f %8s\n", "Decay", 512, decay, decay * cyclesPerNs,
              1e9 / (decay * kSampleRate), ns.at("Baseline/Decay/512") / decay, "-");
  std::printf("decay / noise at 512: overdrive %.2f, baseline %.2f\n",
              decay / ns.at("Overdrive/Drive/512"),
              ns.at("Baseline/Decay/512") / ns.at("Baseline/Drive/512"));
}

// Time per frame per instance against a lone instance in the same run (one instance, one
// block again and again) and against one instance taking the same inputs in turn, and how many
// instances one core keeps in real time. A lone instance reads the same few shaper entries
// every block, which stay in the first-level cache; inputs that differ spread the reads over
// the table, for one instance as for many, so the second ratio is what the instances cost.
void printManyInstancesTable(const std::map<std::string, double>& ns) {
  auto name = [](const char* chain, int64_t count, int64_t block) {
    return std::string(chain) + "/" + std::to_string(count) + "/" + std::to_string(block);
  };
  for (const char* chain : {"Many", "ManyBaseline", "ManyInputsOneInstance"}) {
    for (int64_t block : kManyInstanceBlocks) {  // throws before printing when one is missing
      for (int64_t count : kManyInstanceCounts) ns.at(name(chain, count, block));
    }
  }
  std::printf(
      "\nMany instances of \"Drive\" called in turn, each with its own input; fastest of 5 runs\n");
  std::printf("%9s %6s %18s %8s %14s %18s %12s %8s\n", "instances", "block", "ns/frame/instance",
              "x lone", "x one, inputs", "instances per core", "baseline ns", "x lone");
  for (int64_t block : kManyInstanceBlocks) {
    const double lone = ns.at(name("Many", 1, block)),
                 loneBaseline = ns.at(name("ManyBaseline", 1, block));
    for (int64_t count : kManyInstanceCounts) {
      const double own = ns.at(name("Many", count, block)),
                   one = ns.at(name("ManyInputsOneInstance", count, block)),
                   baseline = ns.at(name("ManyBaseline", count, block));
      std::printf("%9lld %6lld %18.2f %8.2f %14.2f %18.0f %12.2f %8.2f\n",
                  static_cast<long long>(count), static_cast<long long>(block), own, own / lone,
                  own / one, 1e9 / (own * kSampleRate), baseline, baseline / loneBaseline);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  registerProcessingCases();
  // The five runs of every case are interleaved with the other cases' in a random order, so
  // that a spell of other load on the machine slows runs of many cases rather than every run of
  // one, and the ratios between cases stay true. A flag given on the command line comes later
  // and wins.
  std::vector<char*> arguments(argv, argv + argc);
  char interleaved[] = "--benchmark_enable_random_interleaving=true";
  arguments.insert(arguments.begin() + 1, interleaved);
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;
  TableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  try {
    printTable(reporter.nsPerFrame, measureCyclesPerNanosecond());
  } catch (const std::out_of_range&) {
    std::printf("\n(a filtered run: no table)\n");  // the table needs every case
  }
  try {
    printManyInstancesTable(reporter.nsPerFrame);
  } catch (const std::out_of_range&) {
    std::printf("(a filtered run: no many-instances table)\n");
  }
  return 0;
}
