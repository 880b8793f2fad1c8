// Every opcode of the table, called through the record as a host would.
#include <gtest/gtest.h>

#include <cstdint>

#include "test_effect.h"
#include "vst2/aeffect.h"

namespace {

class Dispatcher : public ::testing::Test {
 protected:
  void SetUp() override { effect = new TestEffect(nullptr); }
  void TearDown() override {
    if (effect) record()->dispatcher(record(), effClose, 0, 0, nullptr, 0.0f);
  }
  AEffect* record() { return &effect->effectRecord; }
  intptr_t send(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                float opt = 0.0f) {
    return record()->dispatcher(record(), opcode, index, value, ptr, opt);
  }

  TestEffect* effect = nullptr;
};

TEST_F(Dispatcher, UnknownOpcodesAnswerZeroAndCallNothing) {
  for (int32_t opcode : {25, 100, -1, INT32_MIN, INT32_MAX}) {
    EXPECT_EQ(send(opcode, 1, 1, nullptr, 1.0f), 0) << opcode;
  }
  EXPECT_TRUE(effect->calls.empty());
}

TEST_F(Dispatcher, OpenAndCloseReachTheEffect) {
  EXPECT_EQ(send(effOpen), 0);
  EXPECT_EQ(effect->calls, std::vector<std::string>{"open"});
  EXPECT_EQ(effect->dispatcher(effClose, 0, 0, nullptr, 0.0f), 0) << "the operation answers 0";
  EXPECT_EQ(effect->calls.back(), "close");
}

TEST_F(Dispatcher, SetProgramSelectsOnlyNumbersInRange) {
  EXPECT_EQ(send(effSetProgram, 0, 2), 0);
  EXPECT_EQ(send(effGetProgram), 2);
  EXPECT_EQ(send(effSetProgram, 0, 3), 0);
  EXPECT_EQ(send(effSetProgram, 0, -1), 0);
  EXPECT_EQ(send(effSetProgram, 0, INTPTR_MIN), 0);
  EXPECT_EQ(send(effGetProgram), 2);
  EXPECT_EQ(effect->calls, std::vector<std::string>{"setProgram 2"});
}

TEST_F(Dispatcher, SetProgramChecksTheEffectsOwnCountNotTheRecords) {
  record()->numPrograms = 100;
  EXPECT_EQ(send(effSetProgram, 0, 50), 0);
  EXPECT_EQ(send(effGetProgram), 0);
  effect->numPrograms = 60;
  send(effSetProgram, 0, 50);
  EXPECT_EQ(send(effGetProgram), 50);
}

TEST_F(Dispatcher, TextOpcodesWriteTheBaseEmptyStrings) {
  for (int32_t opcode : {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName,
                         effSetProgramName}) {
    char text[32] = "untouched";
    EXPECT_EQ(send(opcode, 2, 0, text), 0) << opcode;
    EXPECT_EQ(text[0], '\0') << opcode;
    EXPECT_STREQ(text + 1, "ntouched") << "only the first byte is written, opcode " << opcode;
  }
}

TEST_F(Dispatcher, GetVuScalesBy32767AndTruncates) {
  const std::pair<float, intptr_t> cases[] = {
      {0.0f, 0}, {0.5f, 16383}, {1.0f, 32767}, {1.5f, 49150}, {0.99999f, 32766}};
  for (auto [vu, answer] : cases) {
    effect->vu = vu;
    EXPECT_EQ(send(effGetVu), answer) << vu;
  }
}

TEST_F(Dispatcher, GetVuSaturatesWhereTheProductDoesNotFit) {
  effect->vu = 1e30f;
  EXPECT_EQ(send(effGetVu), INT32_MAX);
  effect->vu = -1e30f;
  EXPECT_EQ(send(effGetVu), INT32_MIN);
  effect->vu = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(send(effGetVu), 0);
}

TEST_F(Dispatcher, SampleRateAndBlockSizeAreStored) {
  EXPECT_EQ(send(effSetSampleRate, 0, 0, nullptr, 48000.0f), 0);
  EXPECT_EQ(effect->getSampleRate(), 48000.0f);
  EXPECT_EQ(send(effSetBlockSize, 0, 512), 0);
  EXPECT_EQ(effect->getBlockSize(), 512);
}

TEST_F(Dispatcher, MainsChangedSuspendsOnZeroAndResumesOnAnythingElse) {
  send(effMainsChanged, 0, 0);
  send(effMainsChanged, 0, 1);
  send(effMainsChanged, 0, -1);
  EXPECT_EQ(effect->calls, (std::vector<std::string>{"suspend", "resume", "resume"}));
}

TEST_F(Dispatcher, ChunkOpcodesPassIsPresetFromIndex) {
  void* data = nullptr;
  EXPECT_EQ(send(effGetChunk, 0, 0, &data), 0);
  EXPECT_EQ(send(effGetChunk, 7, 0, &data), 0);
  EXPECT_EQ(send(effSetChunk, 0, 16, &data), 0);
  EXPECT_EQ(send(effSetChunk, -3, 16, &data), 0);
  EXPECT_EQ(effect->calls, (std::vector<std::string>{"getChunk bank", "getChunk preset",
                                                     "setChunk 16 bank", "setChunk 16 preset"}));
}

TEST_F(Dispatcher, IdentifyAnswersNvEfWhateverTheArguments) {
  EXPECT_EQ(send(effIdentify), 1316373862);
  EXPECT_EQ(send(effIdentify, 9, -9, this, 3.0f), 0x4E764566);
}

TEST_F(Dispatcher, EditorOpcodesWithoutAnEditorAnswerZero) {
  ERect* rect = reinterpret_cast<ERect*>(this);
  EXPECT_EQ(send(effEditGetRect, 0, 0, &rect), 0);
  EXPECT_EQ(rect, reinterpret_cast<ERect*>(this)) << "nothing is written";
  for (int32_t opcode : {effEditOpen, effEditClose, effEditDraw, effEditMouse, effEditKey,
                         effEditIdle, effEditTop, effEditSleep}) {
    EXPECT_EQ(send(opcode, 0, 0, this), 0) << opcode;
  }
  EXPECT_TRUE(effect->calls.empty());
}

TEST_F(Dispatcher, EditorOpcodesReachTheEditor) {
  auto* editor = new TestEditor(effect);
  ERect* rect = nullptr;
  EXPECT_EQ(send(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect, &editor->rect_);
  int parent = 0;
  editor->openAnswer = 7;
  EXPECT_EQ(send(effEditOpen, 0, 0, &parent), 7) << "the editor's answer is passed on";
  EXPECT_EQ(editor->parentWindow, &parent);
  editor->postUpdate();
  EXPECT_EQ(send(effEditIdle), 0);
  EXPECT_EQ(editor->updates, 1);
  EXPECT_EQ(send(effEditClose), 0);
  EXPECT_EQ(editor->closes, 1);
  for (int32_t opcode : {effEditDraw, effEditMouse, effEditKey, effEditTop, effEditSleep}) {
    EXPECT_EQ(send(opcode, 1, 1, &parent, 1.0f), 0) << opcode;
  }
  EXPECT_EQ(editor->updates, 1);
  EXPECT_EQ(editor->closes, 1);
}

}  // namespace
