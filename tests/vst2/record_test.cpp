// The record as a host reads it, and the entry functions it carries.
#include <gtest/gtest.h>

#include <cstring>

#include "support/recording_host.h"
#include "test_effect.h"
#include "vst2/aeffect.h"

namespace {

TEST(Record, FreshEffectHoldsTheBaseDefaults) {
  RecordingHost host;
  auto* effect = new TestEffect(RecordingHost::callback);
  const AEffect& r = effect->effectRecord;
  EXPECT_EQ(r.magic, 0x56737450);
  const unsigned char magicBytes[4] = {0x50, 0x74, 0x73, 0x56};
  EXPECT_EQ(std::memcmp(&r.magic, magicBytes, 4), 0);
  EXPECT_EQ(r.numPrograms, 3);
  EXPECT_EQ(r.numParams, 6);
  EXPECT_EQ(r.numInputs, 1);
  EXPECT_EQ(r.numOutputs, 2);
  EXPECT_EQ(r.flags, 0);
  EXPECT_EQ(r.resvd1, 0);
  EXPECT_EQ(r.resvd2, 0);
  EXPECT_EQ(r.initialDelay, 0);
  EXPECT_EQ(r.realQualities, 0);
  EXPECT_EQ(r.offQualities, 0);
  EXPECT_EQ(r.ioRatio, 1.0f);
  EXPECT_EQ(r.object, static_cast<EffectBase*>(effect));
  EXPECT_EQ(r.user, nullptr);
  EXPECT_EQ(r.uniqueID, ('Z' << 24) | ('R' << 16) | ('V' << 8) | 'Q');
  EXPECT_EQ(r.version, 1);
  const char* tail = reinterpret_cast<const char*>(&r.reservedSlot);
  const size_t tailSize = sizeof(AEffect) - offsetof(AEffect, reservedSlot);
  EXPECT_EQ(tailSize, sizeof(void*) + 56);
  for (size_t i = 0; i < tailSize; ++i) EXPECT_EQ(tail[i], 0) << "reserved byte " << i;

  EXPECT_EQ(effect->sampleRate, 44100.0f);
  EXPECT_EQ(effect->blockSize, 1024);
  EXPECT_EQ(effect->currentProgram, 0);
  EXPECT_EQ(effect->editor, nullptr);
  EXPECT_EQ(effect->hostCallback, &RecordingHost::callback);
  EXPECT_TRUE(host.requests.empty()) << "constructing asks the host nothing";
  r.dispatcher(&effect->effectRecord, effClose, 0, 0, nullptr, 0.0f);
}

TEST(Record, LayoutIsTheOneHostsRead) {
  EXPECT_EQ(sizeof(AEffect), sizeof(void*) == 4 ? 144u : 192u);
  EXPECT_EQ(offsetof(AEffect, processReplacing), sizeof(void*) == 4 ? 80u : 120u);
  EXPECT_EQ(sizeof(ERect), 8u);
}

TEST(Record, EntryFunctionsReachTheObjectsOperations) {
  auto* effect = new TestEffect(nullptr);
  AEffect* r = &effect->effectRecord;
  float left[4] = {}, right[4] = {};
  float* channels[2] = {left, right};
  r->process(r, channels, channels, 4);
  r->processReplacing(r, channels, channels, 3);
  r->setParameter(r, 2, 0.75f);
  EXPECT_EQ(r->getParameter(r, 2), 0.0f) << "the base getParameter answers 0";
  EXPECT_EQ(effect->calls, (std::vector<std::string>{"process 4", "processReplacing 3",
                                                     "setParameter 2 0.750000"}));
  EXPECT_EQ(r->dispatcher(r, effGetProgram, 0, 0, nullptr, 0.0f), 0);
  r->dispatcher(r, effClose, 0, 0, nullptr, 0.0f);
}

// With an editor and without one: the effect is closed, then it and its editor are destroyed once.
TEST(Record, EffCloseClosesThenDestroysOnceAndAnswersOne) {
  for (const bool withEditor : {true, false}) {
    SCOPED_TRACE(withEditor ? "with an editor" : "without an editor");
    int effectsDestroyed = 0, editorsDestroyed = 0;
    auto* effect = new TestEffect(nullptr);
    effect->destroyed = &effectsDestroyed;
    if (withEditor) (new TestEditor(effect))->destroyed = &editorsDestroyed;
    bool closedFirst = false;
    effect->closedFirst = &closedFirst;
    AEffect* r = &effect->effectRecord;
    EXPECT_EQ(r->dispatcher(r, effClose, 5, 6, nullptr, 1.0f), 1);
    EXPECT_EQ(effectsDestroyed, 1);
    EXPECT_EQ(editorsDestroyed, withEditor ? 1 : 0);
    EXPECT_TRUE(closedFirst);
  }
}

}  // namespace
