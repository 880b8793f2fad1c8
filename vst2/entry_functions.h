// The five functions whose addresses the record carries. Each finds the object through the
// record's `object` field and calls the matching virtual operation with the host's arguments.
#pragma once

#include "vst2/aeffect.h"

intptr_t VSTCALL dispatcherEntry(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                 void* ptr, float opt);
void VSTCALL processEntry(AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames);
void VSTCALL setParameterEntry(AEffect* effect, int32_t index, float parameter);
float VSTCALL getParameterEntry(AEffect* effect, int32_t index);
void VSTCALL processReplacingEntry(AEffect* effect, float** inputs, float** outputs,
                                   int32_t sampleFrames);
