// `main`: the version query, the finished record, independent instances, allocation failure.
#include "engine/engine_memory.h"
#include "host/editor_base.h"
#include "host/module_globals.h"
#include "plugin_fixture.h"

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
  // 21, with effFlagsHasEditor on targets built with an editor.
  EXPECT_EQ(record->flags, effFlagsHasVu | effFlagsCanReplacing | (effect->editor ? 1 : 0));
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
  EXPECT_EQ(effect->drive, 1.0f);
  EXPECT_EQ(effect->bandMix, 1.0f);
  EXPECT_EQ(effect->gain, 1.0f);
  EXPECT_EQ(effect->left.toneFreq, 0.0f);
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

TEST(CreationRefused, HostWithoutVersionOrCallbackGetsNothing) {
  RecordingHost host;
  host.answers[audioMasterVersion] = 0;
  EXPECT_EQ(pluginMain(RecordingHost::callback), nullptr);
  ASSERT_EQ(host.requests.size(), 1u);
  EXPECT_EQ(host.requests[0].effect, nullptr);
  EXPECT_EQ(pluginMain(nullptr), nullptr);
}

// An allocator that fails one chosen allocation and counts what is still held.
struct FailingMemory {
  static inline int failAt = -1;
  static inline int calls = 0;
  static inline int held = 0;
  static void* allocate(std::size_t bytes) {
    if (calls++ == failAt) return nullptr;
    ++held;
    return ::operator new(bytes);
  }
  static void release(void* memory) {
    if (memory) --held;
    ::operator delete(memory);
  }
};

class AllocationFailure : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    saved = engineMemory;
    engineMemory = {FailingMemory::allocate, FailingMemory::release};
    FailingMemory::calls = FailingMemory::held = 0;
  }
  void TearDown() override { engineMemory = saved; }
  EngineMemory saved;
};

TEST_P(AllocationFailure, MainReturnsNullAndReleasesEverything) {
  RecordingHost host;
  FailingMemory::failAt = GetParam();  // 0: the shaper table, 1: the program bank
  EXPECT_EQ(pluginMain(RecordingHost::callback), nullptr);
  EXPECT_EQ(FailingMemory::calls, 2) << "both allocations are attempted";
  EXPECT_EQ(FailingMemory::held, 0);

  FailingMemory::failAt = -1;
  AEffect* record = pluginMain(RecordingHost::callback);
  ASSERT_NE(record, nullptr) << "one failure does not make later creations fail";
  EXPECT_FALSE(outOfMemory);
  EXPECT_EQ(FailingMemory::held, 2);
  record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  EXPECT_EQ(FailingMemory::held, 0);
}

INSTANTIATE_TEST_SUITE_P(ShaperTableOrProgramBank, AllocationFailure, ::testing::Values(0, 1));

// Records the order of the two steps that end every parameter change.
class WatchingEditor : public EditorBase {
 public:
  // Takes the place of the plug-in's own editor, where the target has one.
  explicit WatchingEditor(OverdriveEffect* owner) : EditorBase(owner), engine(owner) {
    delete owner->editor;
    owner->editor = this;
  }
  void postUpdate() override {
    EditorBase::postUpdate();
    ++posts;
    driveFeedWhenTold = engine->driveFeed;
  }
  OverdriveEffect* engine;
  int posts = 0;
  float driveFeedWhenTold = -1.0f;
};

TEST_F(Creation, EveryChangeTellsTheEditorBeforeDerivingCoefficients) {
  auto* editor = new WatchingEditor(effect);
  record->setParameter(record, 2, 1.0f);
  EXPECT_EQ(editor->posts, 1);
  EXPECT_NE(editor->driveFeedWhenTold, effect->driveFeed) << "told before the new coefficients";
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
