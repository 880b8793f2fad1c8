#include "vst2/entry_functions.h"

#include "engine/float_environment.h"
#include "vst2/effect_base.h"

// Each entry computes in the default floating-point state, whatever the host set on its thread,
// and hands the host's state back on return (engine/float_environment.h). Processing and
// setParameter go straight to the engine, which does so itself; the dispatcher and getParameter
// do so here.

// effClose ends the instance: the object, its editor and the record are gone when this returns.
intptr_t VSTCALL dispatcherEntry(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                 void* ptr, float opt) {
  const FloatingPointDefaults defaults;
  EffectBase* object = effectOf(effect);
  const intptr_t answer = object->dispatcher(opcode, index, value, ptr, opt);
  if (opcode == effClose) {
    delete object;
    return 1;
  }
  return answer;
}

void VSTCALL processEntry(AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames) {
  effectOf(effect)->process(inputs, outputs, sampleFrames);
}

void VSTCALL setParameterEntry(AEffect* effect, int32_t index, float parameter) {
  effectOf(effect)->setParameter(index, parameter);
}

float VSTCALL getParameterEntry(AEffect* effect, int32_t index) {
  const FloatingPointDefaults defaults;
  return effectOf(effect)->getParameter(index);
}

void VSTCALL processReplacingEntry(AEffect* effect, float** inputs, float** outputs,
                                   int32_t sampleFrames) {
  effectOf(effect)->processReplacing(inputs, outputs, sampleFrames);
}
