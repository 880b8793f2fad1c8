#include "host/entry_functions.h"

#include "host/effect_base.h"

// effClose ends the instance: the object, its editor and the record are gone when this returns.
intptr_t VSTCALL dispatcherEntry(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                 void* ptr, float opt) {
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
  return effectOf(effect)->getParameter(index);
}

void VSTCALL processReplacingEntry(AEffect* effect, float** inputs, float** outputs,
                                   int32_t sampleFrames) {
  effectOf(effect)->processReplacing(inputs, outputs, sampleFrames);
}
