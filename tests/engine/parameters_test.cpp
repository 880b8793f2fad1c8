// The six parameters and the three programs as the host sees them.
#include "plugin_fixture.h"

namespace {

using Parameters = PluginTest;

TEST_F(Parameters, NamesLabelsAndTheirWidths) {
  const char* names[] = {" PreBand  ", "  Color   ", "  PreAmp  ",
                         "  x 100   ", "PostFilter", " PostGain "};
  for (int32_t i = 0; i < 6; ++i) {
    EXPECT_EQ(text(effGetParamName, i), names[i]);
    EXPECT_EQ(text(effGetParamName, i).size(), 10u);
    EXPECT_EQ(text(effGetParamLabel, i), "");
  }
}

TEST_F(Parameters, UnknownIndicesChangeNothingAndLeaveBuffersAlone) {
  for (int32_t index : {6, -1, 1000}) {
    EXPECT_EQ(record->getParameter(record, index), 0.0f);
    for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
      EXPECT_EQ(text(opcode, index), std::string(63, '#')) << opcode << " " << index;
    }
  }
  const float driveFeed = state().driveFeed;
  changeState([](EngineSnapshot& s) { s.driveFeed = 0.0f; });
  record->setParameter(record, 7, 0.5f);
  EXPECT_EQ(state().driveFeed, driveFeed) << "coefficients are derived again";
  EXPECT_EQ(displays(), (std::vector<std::string>{"0.000000", "0.500000", "0.000000", "OFF",
                                                  "0.000000", "0.000000"}));
}

TEST_F(Parameters, ValuesAreStoredUnclampedAndReadBack) {
  for (int32_t i = 0; i < 6; ++i) {
    const float value = 0.125f * static_cast<float>(i) - 0.3f;
    record->setParameter(record, i, value);
    EXPECT_EQ(record->getParameter(record, i), value);
  }
  record->setParameter(record, 1, 7.5f);
  EXPECT_EQ(text(effGetParamDisplay, 1), "7.500000");
}

TEST_F(Parameters, FactoryProgramsShowTheirValues) {
  EXPECT_EQ(displays(), (std::vector<std::string>{"0.000000", "0.500000", "0.000000", "OFF",
                                                  "0.000000", "0.000000"}));
  EXPECT_EQ(text(effGetProgramName), "Reset");
  EXPECT_EQ(send(effGetProgram), 0);
  send(effSetProgram, 0, 1);
  EXPECT_EQ(displays(), (std::vector<std::string>{"0.400000", "0.500000", "0.200000", "ON",
                                                  "0.250000", "0.000000"}));
  EXPECT_EQ(text(effGetProgramName), "Boost");
  send(effSetProgram, 0, 2);
  EXPECT_EQ(displays(), (std::vector<std::string>{"0.850000", "0.500000", "1.000000", "OFF",
                                                  "0.500000", "-0.50000"}));
  EXPECT_EQ(text(effGetProgramName), "Drive");
  EXPECT_EQ(send(effGetProgram), 2);
  EXPECT_EQ(record->getParameter(record, 3), 0.33f);
}

TEST_F(Parameters, SwitchDisplayUsesTheHalfRule) {
  const std::pair<float, const char*> cases[] = {
      {0.5f, "ON"}, {0.49f, "OFF"}, {0.66f, "ON"},
      {1.0f, "ON"}, {0.0f, "OFF"},  {std::numeric_limits<float>::quiet_NaN(), "OFF"}};
  for (auto [value, shown] : cases) {
    record->setParameter(record, 3, value);
    EXPECT_EQ(text(effGetParamDisplay, 3), shown) << value;
  }
}

TEST_F(Parameters, PostGainShowsItsDistanceFromOne) {
  record->setParameter(record, 5, 0.999f);
  EXPECT_EQ(text(effGetParamDisplay, 5), "-0.00099");
  record->setParameter(record, 5, 0.0f);
  EXPECT_EQ(text(effGetParamDisplay, 5), "-1.00000");
}

TEST_F(Parameters, ProgramSwitchDiscardsUnsavedChanges) {
  send(effSetProgram, 0, 2);
  record->setParameter(record, 2, 0.9f);
  send(effSetProgram, 0, 2);
  EXPECT_EQ(record->getParameter(record, 2), 1.0f);
}

TEST_F(Parameters, OutOfRangeProgramNumbersAreIgnored) {
  send(effSetProgram, 0, 1);
  for (intptr_t program : {intptr_t{3}, intptr_t{-1}, intptr_t{1000}, INTPTR_MIN}) {
    send(effSetProgram, 0, program);
    EXPECT_EQ(send(effGetProgram), 1);
    EXPECT_EQ(text(effGetProgramName), "Boost");
  }
}

TEST_F(Parameters, RenamingTouchesOnlyTheCurrentProgram) {
  char name[] = "My Crunch";
  send(effSetProgramName, 0, 0, name);
  send(effSetProgram, 0, 1);
  EXPECT_EQ(text(effGetProgramName), "Boost");
  send(effSetProgram, 0, 0);
  EXPECT_EQ(text(effGetProgramName), "My Crunch");
  EXPECT_EQ(displays()[1], "0.500000") << "renaming keeps the values";
}

TEST_F(Parameters, LongNamesAreCutTo23Characters) {
  std::string longName(200, 'x');
  longName[22] = 'E';
  send(effSetProgram, 0, 1);
  send(effSetProgramName, 0, 0, longName.data());
  EXPECT_EQ(text(effGetProgramName), std::string(22, 'x') + "E");
  send(effSetProgram, 0, 2);
  EXPECT_EQ(text(effGetProgramName), "Drive") << "the next record is intact";
  EXPECT_EQ(program(2).preBand, 0.85f);
  char empty[] = "";
  send(effSetProgramName, 0, 0, empty);
  EXPECT_EQ(text(effGetProgramName), "");
}

TEST_F(Parameters, BankHoldsTheFactoryRows) {
  const OverdriveProgram& boost = program(1);
  EXPECT_EQ(boost.preBand, 0.4f);
  EXPECT_EQ(boost.color, 0.5f);
  EXPECT_EQ(boost.preAmp, 0.2f);
  EXPECT_EQ(boost.x100Switch, 0.5f);
  EXPECT_EQ(boost.postFilter, 0.25f);
  EXPECT_EQ(boost.postGain, 1.0f);
  const OverdriveProgram& drive = program(2);
  EXPECT_EQ(drive.preBand, 0.85f);
  EXPECT_EQ(drive.preAmp, 1.0f);
  EXPECT_EQ(drive.x100Switch, 0.33f);
  EXPECT_EQ(drive.postFilter, 0.5f);
  EXPECT_EQ(drive.postGain, 0.5f);
  record->setParameter(record, 0, 0.1f);
  EXPECT_EQ(program(0).preBand, 0.0f) << "parameter changes never reach the bank";
}

TEST(ProgramBank, ProgramsBeyondTheFactoryThreeAreInitCopiesOfReset) {
  OverdriveProgram bank[5];
  fillProgramBank(bank, 5);
  EXPECT_STREQ(bank[2].name, "Drive");
  for (int i = 3; i < 5; ++i) {
    EXPECT_STREQ(bank[i].name, "Init");
    EXPECT_EQ(bank[i].color, bank[0].color);
    EXPECT_EQ(bank[i].x100Switch, bank[0].x100Switch);
    EXPECT_EQ(bank[i].postGain, bank[0].postGain);
  }
}

}  // namespace
