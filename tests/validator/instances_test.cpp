// Dozens of instances in one process, created, processed and closed in random order on two
// threads. Instances share only module-wide globals and the read-only shaper table, so each
// must sound exactly as it does alone.
#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

#include "validator/validator_host.h"

namespace {

constexpr int kInstances = 48;
constexpr int kBlocks = 12;

// What one instance is given: a program, parameter values and its own noise, block by block.
struct Session {
  explicit Session(int id) : seed(static_cast<uint32_t>(id) * 7919u + 1u) {}

  void start(Instance& instance) const {
    std::mt19937 random(seed);
    instance.dispatch(effSetProgram, 0, static_cast<intptr_t>(seed % kProgramCount));
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int32_t i = 0; i < kParameterCount; ++i) instance.set(i, unit(random));
  }

  // Block `n`, appended to `sound`.
  void play(Instance& instance, int n, std::vector<float>& sound) const {
    std::mt19937 random(seed + static_cast<uint32_t>(n) * 104729u);
    StereoBlock block(64 + (seed + static_cast<uint32_t>(n)) % 961);
    block.fillNoise(random, 1.0f);
    instance.run(block, n % 3 ? Entry::replacing : Entry::accumulating);
    sound.insert(sound.end(), block.outLeft.begin(), block.outLeft.end());
    sound.insert(sound.end(), block.outRight.begin(), block.outRight.end());
  }

  uint32_t seed;
};

struct Live {
  int id;
  std::unique_ptr<Instance> instance;
  int played = 0;
};

// One thread's share: opens its instances, plays a random open one, closes the finished, in an
// order its own random numbers choose. Both shares start together, so their first creations
// race the build of the library's shaper table.
void runShare(PluginEntry entry, std::vector<int> ids, uint32_t seed,
              std::vector<std::vector<float>>& sounds, std::atomic<int>& started) {
  std::mt19937 random(seed);
  std::shuffle(ids.begin(), ids.end(), random);
  ++started;
  while (started < 2) std::this_thread::yield();
  std::vector<Live> open;
  size_t next = 0;
  while (next < ids.size() || !open.empty()) {
    if (next < ids.size() && (open.empty() || random() % 3 == 0)) {
      Live live{ids[next++], std::make_unique<Instance>(entry)};
      if (!live.instance->record) return;  // the caller finds the sound missing
      Session(live.id).start(*live.instance);
      open.push_back(std::move(live));
      continue;
    }
    const size_t pick = random() % open.size();
    Live& live = open[pick];
    Session(live.id).play(*live.instance, live.played++, sounds[live.id]);
    if (live.played == kBlocks) open.erase(open.begin() + static_cast<long>(pick));
  }
}

using ManyInstances = ValidatorTest;

TEST_F(ManyInstances, TwoThreadsInRandomOrderSoundLikeLoneInstances) {
  std::vector<std::vector<float>> alone(kInstances);
  for (int id = 0; id < kInstances; ++id) {
    Instance lone(plugin.entry());
    ASSERT_NE(lone.record, nullptr);
    Session(id).start(lone);
    for (int n = 0; n < kBlocks; ++n) Session(id).play(lone, n, alone[id]);
    ASSERT_TRUE(finiteAndBounded(alone[id])) << "instance " << id;
  }

  std::vector<int> first, second;
  for (int id = 0; id < kInstances; ++id) (id % 2 ? second : first).push_back(id);
  std::vector<std::vector<float>> together(kInstances);
  const PluginEntry entry = plugin.entry();
  std::atomic<int> started{0};
  std::thread a(runShare, entry, first, 1u, std::ref(together), std::ref(started));
  std::thread b(runShare, entry, second, 2u, std::ref(together), std::ref(started));
  a.join();
  b.join();
  for (int id = 0; id < kInstances; ++id)
    EXPECT_TRUE(sameBits(together[id], alone[id])) << "instance " << id;
}

}  // namespace
