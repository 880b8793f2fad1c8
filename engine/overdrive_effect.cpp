#include "engine/overdrive_effect.h"

#include "engine/engine_memory.h"
#include "engine/parameter_table.h"
#include "engine/shared_shaper_table.h"

namespace {

constexpr int32_t kProgramCount = 3;

}  // namespace

// A failed allocation leaves its pointer null and skips what would use it; `main` sees the
// instance incomplete and destroys it before a host can reach it.
OverdriveEffect::OverdriveEffect(audioMasterCallback hostCallback)
    : EffectBase(hostCallback, kProgramCount, kParameterCount) {
  shaperTable = acquireShaperTable();

  programs = static_cast<OverdriveProgram*>(
      engineMemory.allocate(sizeof(OverdriveProgram) * static_cast<size_t>(numPrograms)));
  if (programs) {
    fillProgramBank(programs, numPrograms);
    loadProgram(0);  // the editor does not exist yet: nobody to tell
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
  if (shaperTable) releaseShaperTable();
}

float OverdriveEffect::getVu() { return peakLevel.load(std::memory_order_relaxed); }

// Suspending keeps every state: the sound goes on where it stopped.
void OverdriveEffect::suspend() {}
