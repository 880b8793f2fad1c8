#include "engine/program_bank.h"

#include <cstring>

namespace {

// preBand, color, preAmp, postFilter, postGain, x100Switch, name
constexpr OverdriveProgram kFactoryPrograms[] = {
    {0.0f, 0.5f, 0.0f, 0.0f, 1.0f, 0.33f, "Reset"},
    {0.4f, 0.5f, 0.2f, 0.25f, 1.0f, 0.5f, "Boost"},
    {0.85f, 0.5f, 1.0f, 0.5f, 0.5f, 0.33f, "Drive"},
};
constexpr int32_t kFactoryCount = sizeof kFactoryPrograms / sizeof kFactoryPrograms[0];

// The record's field of each parameter, in parameter order.
constexpr float OverdriveProgram::*kProgramFields[] = {
    &OverdriveProgram::preBand,    &OverdriveProgram::color,      &OverdriveProgram::preAmp,
    &OverdriveProgram::x100Switch, &OverdriveProgram::postFilter, &OverdriveProgram::postGain,
};

}  // namespace

float programValue(const OverdriveProgram& program, int32_t index) {
  return program.*kProgramFields[index];
}

void fillProgramBank(OverdriveProgram* programs, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    if (i < kFactoryCount) {
      programs[i] = kFactoryPrograms[i];
    } else {
      programs[i] = kFactoryPrograms[0];
      setProgramNameText(programs[i], "Init");
    }
  }
}

void setProgramNameText(OverdriveProgram& program, const char* name) {
  std::strncpy(program.name, name, kProgramNameSize - 1);
  program.name[kProgramNameSize - 1] = '\0';
}
