#include "engine/overdrive_engine.h"

#include <cstring>

#include "engine/engine_memory.h"
#include "engine/float_environment.h"
#include "engine/shared_shaper_table.h"

// A failed allocation leaves its pointer null and skips what would use it; the format sees the
// engine incomplete and destroys it before a host can reach it.
OverdriveEngine::OverdriveEngine(ParameterListener* parameterListener)
    : listener(parameterListener) {
  // The shaper table and the first coefficients come out the same whatever the thread set.
  const FloatingPointDefaults defaults;
  shaperTable = acquireShaperTable();
  programs = static_cast<OverdriveProgram*>(
      engineMemory.allocate(sizeof(OverdriveProgram) * static_cast<size_t>(kProgramCount)));
  if (programs) {
    fillProgramBank(programs, kProgramCount);
    storeProgramValues(0);
  }
  recomputeCoefficients();
}

OverdriveEngine::~OverdriveEngine() {
  engineMemory.release(programs);
  if (shaperTable) releaseShaperTable();
}

// Every change ends the same way: the listener is told, then the coefficients follow the values
// and the change counter moves.
void OverdriveEngine::parametersStored() {
  if (listener) listener->parametersChanged();
  recomputeCoefficients();
}

void OverdriveEngine::setParameter(int32_t index, float value) {
  const VectorUnitDefaults defaults;
  if (parameterAt(index)) values[index].store(value, std::memory_order_relaxed);
  parametersStored();
}

float OverdriveEngine::parameter(int32_t index) const {
  return parameterAt(index) ? values[index].load(std::memory_order_relaxed) : 0.0f;
}

void OverdriveEngine::storeProgramValues(int32_t program) {
  current.store(program, std::memory_order_relaxed);
  for (int32_t i = 0; i < kParameterCount; ++i)
    values[i].store(programValue(programs[program], i), std::memory_order_relaxed);
}

bool OverdriveEngine::loadProgram(int32_t program) {
  if (program < 0 || program >= kProgramCount) return false;
  const VectorUnitDefaults defaults;
  storeProgramValues(program);
  parametersStored();
  return true;
}

const char* OverdriveEngine::programName(int32_t program) const {
  return program >= 0 && program < kProgramCount ? programs[program].name : nullptr;
}

int32_t OverdriveEngine::programIndexOf(const char* name) const {
  for (int32_t program = 0; program < kProgramCount; ++program) {
    if (std::strcmp(name, programs[program].name) == 0) return program;
  }
  return -1;
}

void OverdriveEngine::setProgramName(const char* name) {
  setProgramNameText(programs[currentProgram()], name);
}
