// `main`: the version query, the finished record, independent instances, allocation failure,
// alone and while other creations run.
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "engine/engine_memory.h"
#include "plugin_fixture.h"
#include "tools/hosting/host_callback.h"
#include "vst2/editor_base.h"

namespace {

using Creation = PluginTest;

TEST_F(Creation, MainAsksTheVersionWithNoEffect) {
  ASSERT_FALSE(host.requests.empty());
  EXPECT_EQ(host.requests[0].opcode, audioMasterVersion);
  EXPECT_EQ(host.requests[0].effect, nullptr);
  EXPECT_EQ(host.requests.size(), 1u) << "nothing else is asked while creating";
}

TEST_F(Creation, FinishedRecordHoldsTheHostVisibleValues) {
  EXPECT_EQ(record->magic, 0x56737450);
  EXPECT_EQ(record->numPrograms, 3);
  EXPECT_EQ(record->numParams, 6);
  EXPECT_EQ(record->numInputs, 2);
  EXPECT_EQ(record->numOutputs, 2);
#ifdef VORRA_PLUGIN_HAS_EDITOR
  EXPECT_EQ(record->flags, 21);
#else
  EXPECT_EQ(record->flags, 20) << "21 less effFlagsHasEditor";
#endif
  EXPECT_EQ(record->resvd1, 0);
  EXPECT_EQ(record->resvd2, 0);
  EXPECT_EQ(record->initialDelay, 0);
  EXPECT_EQ(record->realQualities, 0);
  EXPECT_EQ(record->offQualities, 0);
  EXPECT_EQ(record->ioRatio, 1.0f);
  EXPECT_EQ(record->object, static_cast<EffectBase*>(effect));
  EXPECT_EQ(record->user, nullptr);
  EXPECT_EQ(record->uniqueID, fourCharConstant("ZRVQ"));
  EXPECT_EQ(record->version, 1);
  EXPECT_EQ(send(effIdentify), fourCharConstant("NvEf"));
  EXPECT_EQ(send(effGetVu), 0);
  EXPECT_EQ(send(effGetChunk, 0, 0, nullptr), 0);
  const EngineSnapshot fresh = state();
  EXPECT_EQ(fresh.drive, 1.0f);
  EXPECT_EQ(fresh.bandMix, 1.0f);
  EXPECT_EQ(fresh.gain, 1.0f);
  EXPECT_EQ(fresh.left.toneFreq, 0.0f);
}

TEST_F(Creation, EachCallGivesAnIndependentInstance) {
  AEffect* second = pluginMain(RecordingHost::callback);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, record);
  EXPECT_NE(second->object, record->object);
  EXPECT_EQ(effectOf(second)->effectRecord.object, second->object);
  second->setParameter(second, 2, 0.7f);
  EXPECT_EQ(record->getParameter(record, 2), 0.0f);
  EXPECT_EQ(second->dispatcher(second, effClose, 0, 0, nullptr, 0.0f), 1);
}

// What one block writes lies in lines of the instance's own, so instances processed on
// different threads never share a cache line.
TEST_F(Creation, InstancesOwnTheCacheLinesTheirBlocksUse) {
  constexpr uintptr_t kLine = 64;
  AEffect* second = pluginMain(RecordingHost::callback);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(sizeof(OverdrivePlugin) % kLine, 0u);
  for (AEffect* r : {record, second}) {
    auto* instance = static_cast<OverdrivePlugin*>(effectOf(r));
    const auto first =
        reinterpret_cast<uintptr_t>(EngineProbe::blockFieldsBegin(instance->engine()));
    const auto end = reinterpret_cast<uintptr_t>(EngineProbe::blockFieldsEnd(instance->engine()));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(instance) % kLine, 0u);
    EXPECT_EQ(first % kLine, 0u);
    EXPECT_LE(end - first, 2 * kLine) << "the fields a block touches fill two lines";
  }
  second->dispatcher(second, effClose, 0, 0, nullptr, 0.0f);
}

TEST(CreationRefused, HostWithoutVersionOrCallbackGetsNothing) {
  RecordingHost host;
  host.answers[audioMasterVersion] = 0;
  EXPECT_EQ(pluginMain(RecordingHost::callback), nullptr);
  ASSERT_EQ(host.requests.size(), 1u);
  EXPECT_EQ(host.requests[0].effect, nullptr);
  EXPECT_EQ(pluginMain(nullptr), nullptr);
}

// An allocator that fails chosen allocations, can act at one of them, and counts what is held.
// Safe to call from several threads.
struct FailingMemory {
  static inline std::atomic<int> calls{0};
  static inline std::atomic<int> held{0};
  static inline int failAt = -1;    // this allocation fails
  static inline int failEvery = 0;  // above 0: so does every allocation whose number it divides
  static inline int actAt = -1;     // this allocation runs `action` before it answers
  static inline void (*action)() = nullptr;
  static inline bool slow = false;  // every allocation first lets other threads run a while
  static void* allocate(std::size_t bytes) {
    const int call = calls++;
    if (call == actAt) action();
    if (slow) std::this_thread::sleep_for(std::chrono::microseconds(100));
    if (call == failAt || (failEvery > 0 && call % failEvery == 0)) return nullptr;
    ++held;
    return ::operator new(bytes);
  }
  static void release(void* memory) {
    if (memory) --held;
    ::operator delete(memory);
  }
};

class FailingAllocations : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = engineMemory;
    engineMemory = {FailingMemory::allocate, FailingMemory::release};
    FailingMemory::calls = FailingMemory::held = 0;
    FailingMemory::failAt = FailingMemory::actAt = -1;
    FailingMemory::failEvery = 0;
    FailingMemory::slow = false;
  }
  void TearDown() override { engineMemory = saved; }
  static void close(AEffect* record) { record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f); }
  EngineMemory saved;
};

class AllocationFailure : public FailingAllocations, public ::testing::WithParamInterface<int> {};

TEST_P(AllocationFailure, MainReturnsNullAndReleasesEverything) {
  RecordingHost host;
  FailingMemory::failAt = GetParam();  // 0: the shaper table, 1: the program bank
  EXPECT_EQ(pluginMain(RecordingHost::callback), nullptr);
  EXPECT_EQ(FailingMemory::calls, 2) << "both allocations are attempted";
  EXPECT_EQ(FailingMemory::held, 0);

  FailingMemory::failAt = -1;
  AEffect* record = pluginMain(RecordingHost::callback);
  ASSERT_NE(record, nullptr) << "one failure does not make later creations fail";
  EXPECT_EQ(FailingMemory::held, 2);
  close(record);
  EXPECT_EQ(FailingMemory::held, 0);
}

INSTANTIATE_TEST_SUITE_P(ShaperTableOrProgramBank, AllocationFailure, ::testing::Values(0, 1));

// A creation that starts while another one is failing, between that one's failed allocation
// and its verdict, changes neither verdict.
TEST_F(FailingAllocations, CreationInsideAnotherOnesFailureLeavesBothVerdicts) {
  RecordingHost host;
  static AEffect* inner;
  inner = nullptr;
  FailingMemory::failAt = 0;  // the outer creation's shaper table
  FailingMemory::actAt = 1;   // its program bank, allocated after the failure
  FailingMemory::action = [] { inner = pluginMain(RecordingHost::callback); };
  AEffect* outer = pluginMain(RecordingHost::callback);
  EXPECT_EQ(outer, nullptr) << "a creation that lost an allocation is not handed out";
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(FailingMemory::held, 2) << "only the inner instance holds memory";
  close(inner);
  EXPECT_EQ(FailingMemory::held, 0);
}

// One table per loaded library: every instance reads the same one, the last to close releases
// it, and the next creation builds it again.
TEST_F(FailingAllocations, InstancesShareOneTableReleasedWithTheLast) {
  RecordingHost host;
  for (int round = 0; round < 2; ++round) {
    AEffect* records[3];
    for (AEffect*& r : records) ASSERT_NE(r = pluginMain(RecordingHost::callback), nullptr);
    auto tableOf = [](AEffect* r) {
      return EngineProbe::shaperTable(static_cast<OverdriveEffect*>(effectOf(r))->engine());
    };
    const float* table = tableOf(records[0]);
    for (AEffect* r : records) EXPECT_EQ(tableOf(r), table);
    EXPECT_EQ(FailingMemory::held, 1 + 3) << "one table and three program banks";
    for (AEffect* r : records) close(r);
    EXPECT_EQ(FailingMemory::held, 0);
  }
  EXPECT_EQ(FailingMemory::calls, 2 * 4);
}

// Four threads create and close instances while allocations fail; each close may be the last
// holder's, so creations also race the shared table's build and its release.
TEST_F(FailingAllocations, ConcurrentCreationsWithFailuresGiveWholeInstancesOrNull) {
  FailingMemory::failEvery = 3;
  FailingMemory::slow = true;  // so that creations overlap at every step
  constexpr int kThreads = 4, kCreations = 100;
  std::atomic<int> whole{0}, refused{0}, broken{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (int n = 0; n < kCreations; ++n) {
        AEffect* record = pluginMain(answeringHost<>);
        if (!record) {
          ++refused;
          continue;
        }
        const auto* effect = static_cast<OverdriveEffect*>(effectOf(record));
        ++(effect->complete() ? whole : broken);
        close(record);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(broken, 0) << "no creation hands out an instance with a missing allocation";
  EXPECT_GT(whole, 0);
  EXPECT_GT(refused, 0);
  EXPECT_EQ(FailingMemory::held, 0);
}

// Records the order of the two steps that end every parameter change.
class WatchingEditor : public EditorBase {
 public:
  // Takes the place of the plug-in's own editor, where the target has one.
  explicit WatchingEditor(OverdriveEffect* owner) : EditorBase(owner), engine(owner->engine()) {
    delete owner->editor;
    owner->editor = this;
  }
  void postUpdate() override {
    EditorBase::postUpdate();
    ++posts;
    driveFeedWhenTold = EngineProbe::snapshot(engine).driveFeed;
  }
  OverdriveEngine& engine;
  int posts = 0;
  float driveFeedWhenTold = -1.0f;
};

TEST_F(Creation, EveryChangeTellsTheEditorBeforeDerivingCoefficients) {
  auto* editor = new WatchingEditor(effect);
  record->setParameter(record, 2, 1.0f);
  EXPECT_EQ(editor->posts, 1);
  EXPECT_NE(editor->driveFeedWhenTold, state().driveFeed) << "told before the new coefficients";
  record->setParameter(record, 9, 1.0f);
  EXPECT_EQ(editor->posts, 2) << "even an unknown index tells the editor";
  send(effSetProgram, 0, 1);
  EXPECT_EQ(editor->posts, 3);
  effect->setParameterAutomated(0, 0.5f);
  EXPECT_EQ(editor->posts, 4);
  EXPECT_EQ(host.requests.back().opcode, audioMasterAutomate);
  send(effMainsChanged, 0, 0);
  send(effSetSampleRate, 0, 0, nullptr, 96000.0f);
  EXPECT_EQ(editor->posts, 4) << "only value changes tell the editor";
}

}  // namespace
