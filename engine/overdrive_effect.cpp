#include "engine/overdrive_effect.h"

#include "engine/engine_memory.h"
#include "engine/parameter_table.h"
#include "engine/shaper_table.h"
#include "host/module_globals.h"

namespace {

constexpr int32_t kProgramCount = 3;

}  // namespace

// A failed allocation leaves its pointer null and skips what would use it; `main` sees
// outOfMemory and destroys the object before a host can reach it.
OverdriveEffect::OverdriveEffect(audioMasterCallback hostCallback)
    : EffectBase(hostCallback, kProgramCount, kParameterCount) {
  shaperTable = static_cast<float*>(engineMemory.allocate(sizeof(float) * kShaperTableSize));
  if (shaperTable)
    buildShaperTable(shaperTable);
  else
    outOfMemory = true;

  programs = static_cast<OverdriveProgram*>(
      engineMemory.allocate(sizeof(OverdriveProgram) * static_cast<size_t>(numPrograms)));
  if (programs) {
    fillProgramBank(programs, numPrograms);
    loadProgram(0);  // the editor does not exist yet: nobody to tell
  } else {
    outOfMemory = true;
  }

  recomputeCoefficients();

  setNumInputs(2);
  setNumOutputs(2);
  hasVu(true);
  canProcessReplacing(true);
  setUniqueID(fourCharConstant("KxFm"));
}

OverdriveEffect::~OverdriveEffect() {
  engineMemory.release(programs);
  engineMemory.release(shaperTable);
}

float OverdriveEffect::getVu() { return peakLevel.load(std::memory_order_relaxed); }

// Suspending keeps every state: the sound goes on where it stopped.
void OverdriveEffect::suspend() {}
