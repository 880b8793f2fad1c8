// A host's two threads on one instance: the audio thread processes blocks while the user
// interface thread sets parameters, switches programs and reads texts.
#include <atomic>
#include <functional>
#include <thread>

#include "validator/validator_host.h"

namespace {

// Processes 3000 noise blocks through both entries while a second thread changes and reads the
// instance as a host's interface does; `check` sees every block's output and says whether to go
// on.
void processAlongsideControl(Instance& instance, std::mt19937& random,
                             const std::function<bool(const StereoBlock&, int)>& check) {
  std::atomic<bool> done{false};
  std::thread control([&] {
    std::mt19937 own(5);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    while (!done.load()) {
      switch (own() % 4) {
        case 0: instance.dispatch(effSetProgram, 0, static_cast<intptr_t>(own() % 3)); break;
        case 1: instance.text(effGetParamDisplay, static_cast<int32_t>(own() % 6), 9); break;
        case 2: instance.text(effGetParamName, static_cast<int32_t>(own() % 6), 11); break;
        default: instance.set(static_cast<int32_t>(own() % 6), unit(own)); break;
      }
      instance.programName();
      instance.dispatch(effGetVu);
    }
  });
  StereoBlock block(256);
  for (int i = 0; i < 3000; ++i) {
    block.fillNoise(random, 1.0f);
    const Entry entry = i % 2 ? Entry::accumulating : Entry::replacing;
    if (entry == Entry::accumulating) {
      block.outLeft.assign(block.frames(), 0.0f);
      block.outRight.assign(block.frames(), 0.0f);
    }
    instance.run(block, entry);
    if (!check(block, i)) break;
  }
  done.store(true);
  control.join();
}

using Threads = ValidatorTest;

// A change of PostFilter (or a program switch) replaces the post filter's pole and input weight
// together: a frame that paired one change's pole with another's weight could gain up to 1.7.
TEST_F(Threads, OutputsStayWithinFullScaleWhileAnotherThreadChangesAndReads) {
  Instance instance(plugin.entry());
  processAlongsideControl(instance, random, [](const StereoBlock& block, int i) {
    const ::testing::AssertionResult left = finiteAndBounded(block.outLeft);
    const ::testing::AssertionResult right = finiteAndBounded(block.outRight);
    EXPECT_TRUE(left) << "block " << i;
    EXPECT_TRUE(right) << "block " << i;
    return left && right;
  });
}

}  // namespace
