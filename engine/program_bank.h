// Programs: named sets of the six parameter values, kept in memory for the instance's life.
#pragma once

#include <cstdint>

constexpr int32_t kProgramNameSize = 24;  // 23 characters and the terminator

// Stored order is not the parameter order: x100Switch comes after the other five values.
struct OverdriveProgram {
  float preBand;
  float color;
  float preAmp;
  float postFilter;
  float postGain;
  float x100Switch;
  char name[kProgramNameSize];
};

// The program's stored value of the parameter at `index` (0 to 5), in parameter order.
float programValue(const OverdriveProgram& program, int32_t index);

// "Reset", "Boost" and "Drive"; any further program is a copy of "Reset" named "Init".
void fillProgramBank(OverdriveProgram* programs, int32_t count);

// Copies `name` into a program's name field, cut to 23 characters.
void setProgramNameText(OverdriveProgram& program, const char* name);
