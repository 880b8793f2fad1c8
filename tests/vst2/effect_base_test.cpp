// EffectBase's setters, flags, defaults and host-callback wrappers, and EditorBase's update flag.
#include <gtest/gtest.h>

#include "support/recording_host.h"
#include "test_effect.h"

namespace {

struct EffectBaseTest : ::testing::Test {
  ~EffectBaseTest() override { delete effect; }
  RecordingHost host;
  TestEffect* effect = new TestEffect(RecordingHost::callback);
  AEffect& record = effect->effectRecord;
};

TEST_F(EffectBaseTest, FlagSettersChangeOnlyTheirOwnBit) {
  record.flags = 21;
  effect->hasClip(true);
  EXPECT_EQ(record.flags, 23);
  effect->hasClip(false);
  EXPECT_EQ(record.flags, 21);
  effect->hasVu(false);
  EXPECT_EQ(record.flags, 17);
  effect->hasVu(true);
  EXPECT_EQ(record.flags, 21);

  const std::pair<void (EffectBase::*)(bool), int32_t> setters[] = {
      {&EffectBase::hasVu, effFlagsHasVu},
      {&EffectBase::hasClip, effFlagsHasClip},
      {&EffectBase::canMono, effFlagsCanMono},
      {&EffectBase::canProcessReplacing, effFlagsCanReplacing},
      {&EffectBase::programsAreChunks, effFlagsProgramChunks}};
  for (auto [setter, bit] : setters) {
    for (int32_t before : {0, 0x7FFFFFFF, 21, -1}) {
      record.flags = before;
      (effect->*setter)(true);
      EXPECT_EQ(record.flags, before | bit);
      (effect->*setter)(false);
      EXPECT_EQ(record.flags, before & ~bit);
    }
  }
}

TEST_F(EffectBaseTest, RecordSettersWriteWhereTheHostReads) {
  effect->setUniqueID(0x12345678);
  effect->setNumInputs(2);
  effect->setNumOutputs(4);
  effect->setRealtimeQualities(5);
  effect->setOfflineQualities(6);
  effect->setInitialDelay(64);
  EXPECT_EQ(record.uniqueID, 0x12345678);
  EXPECT_EQ(record.numInputs, 2);
  EXPECT_EQ(record.numOutputs, 4);
  EXPECT_EQ(record.realQualities, 5);
  EXPECT_EQ(record.offQualities, 6);
  EXPECT_EQ(record.initialDelay, 64);
  EXPECT_EQ(record.flags, 0);
}

TEST_F(EffectBaseTest, SampleRateBlockSizeAndProgramRoundTrip) {
  effect->setSampleRate(48000.0f);
  EXPECT_EQ(effect->getSampleRate(), 48000.0f);
  effect->setBlockSize(512);
  EXPECT_EQ(effect->getBlockSize(), 512);
  effect->EffectBase::setProgram(77);
  EXPECT_EQ(effect->getProgram(), 77) << "the base setProgram stores any number";
}

TEST_F(EffectBaseTest, BaseDefaultsAnswerZeroAndEmptyTexts) {
  EffectBase& base = *effect;
  EXPECT_EQ(base.EffectBase::getParameter(0), 0.0f);
  EXPECT_EQ(base.EffectBase::getVu(), 0.0f);
  void* chunk = this;
  EXPECT_EQ(base.EffectBase::getChunk(&chunk, true), 0);
  EXPECT_EQ(chunk, this);
  EXPECT_EQ(base.EffectBase::setChunk(chunk, 8, false), 0);
  using TextOperation = void (EffectBase::*)(int32_t, char*);
  for (TextOperation operation : {static_cast<TextOperation>(&EffectBase::getParameterLabel),
                                  static_cast<TextOperation>(&EffectBase::getParameterDisplay),
                                  static_cast<TextOperation>(&EffectBase::getParameterName)}) {
    char text[16] = "abc";
    (base.*operation)(1, text);
    EXPECT_STREQ(text, "");
  }
  char name[24] = "abc";
  base.EffectBase::getProgramName(name);
  EXPECT_STREQ(name, "");
  strcpy(name, "renamed");
  base.EffectBase::setProgramName(name);
  EXPECT_STREQ(name, "") << "the base setProgramName empties the caller's text";
}

TEST_F(EffectBaseTest, SetParameterAutomatedSetsThenTellsTheHost) {
  effect->setParameterAutomated(2, 0.75f);
  EXPECT_EQ(effect->calls, std::vector<std::string>{"setParameter 2 0.750000"});
  ASSERT_EQ(host.requests.size(), 1u);
  const HostRequest& request = host.requests[0];
  EXPECT_EQ(request.effect, &record);
  EXPECT_EQ(request.opcode, audioMasterAutomate);
  EXPECT_EQ(request.index, 2);
  EXPECT_EQ(request.value, 0);
  EXPECT_EQ(request.ptr, nullptr);
  EXPECT_EQ(request.opt, 0.75f);
}

TEST_F(EffectBaseTest, MasterVersionFallsBackToOne) {
  host.answers[audioMasterVersion] = 0;
  EXPECT_EQ(effect->getMasterVersion(), 1);
  host.answers[audioMasterVersion] = 2;
  EXPECT_EQ(effect->getMasterVersion(), 2);
  ASSERT_EQ(host.requests.size(), 2u);
  EXPECT_EQ(host.requests[1].opcode, audioMasterVersion);
  EXPECT_EQ(host.requests[1].effect, &record);
}

TEST_F(EffectBaseTest, UniqueIdAndIdleAskTheHost) {
  host.answers[audioMasterCurrentId] = 0x41424344;
  EXPECT_EQ(effect->getCurrentUniqueId(), 0x41424344);
  effect->masterIdle();
  ASSERT_EQ(host.requests.size(), 2u);
  EXPECT_EQ(host.requests[0].opcode, audioMasterCurrentId);
  EXPECT_EQ(host.requests[1].opcode, audioMasterIdle);
}

TEST_F(EffectBaseTest, PinsAreConnectedWhenTheHostAnswersZero) {
  EXPECT_TRUE(effect->isInputConnected(0));
  host.answers[audioMasterPinConnected] = 1;
  EXPECT_FALSE(effect->isInputConnected(0));
  EXPECT_FALSE(effect->isOutputConnected(1));
  ASSERT_EQ(host.requests.size(), 3u);
  EXPECT_EQ(host.requests[0].index, 0);
  EXPECT_EQ(host.requests[0].value, 0);
  EXPECT_EQ(host.requests[2].opcode, audioMasterPinConnected);
  EXPECT_EQ(host.requests[2].index, 1);
  EXPECT_EQ(host.requests[2].value, 1);
}

TEST(EffectBaseWithoutHost, WrappersSkipTheHostAndGiveTheirDefaults) {
  TestEffect effect(nullptr);
  EXPECT_EQ(effect.getMasterVersion(), 1);
  EXPECT_EQ(effect.getCurrentUniqueId(), 0);
  effect.masterIdle();
  EXPECT_TRUE(effect.isInputConnected(3));
  EXPECT_TRUE(effect.isOutputConnected(3));
  effect.setParameterAutomated(1, 0.5f);
  EXPECT_EQ(effect.calls, std::vector<std::string>{"setParameter 1 0.500000"});
}

TEST(EditorBaseTest, DefaultsAndTheUpdateFlag) {
  TestEffect effect(nullptr);
  EditorBase plain(&effect);
  EXPECT_EQ(plain.effect, &effect);
  EXPECT_EQ(plain.updatePending, 0);
  ERect* rect = reinterpret_cast<ERect*>(&effect);
  EXPECT_EQ(plain.getRect(&rect), 0);
  EXPECT_EQ(rect, nullptr);
  int window = 0;
  EXPECT_EQ(plain.open(&window), 0);
  EXPECT_EQ(plain.parentWindow, &window);

  auto* editor = new TestEditor(&effect);
  editor->idle();
  EXPECT_EQ(editor->updates, 0) << "idle without postUpdate refreshes nothing";
  editor->postUpdate();
  EXPECT_EQ(editor->updatePending, 1);
  editor->idle();
  editor->idle();
  EXPECT_EQ(editor->updates, 1);
  EXPECT_EQ(editor->updatePending, 0);
}

}  // namespace
