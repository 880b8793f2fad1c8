// The host's and the editor's view of the six parameters and the program bank.
#include <cstring>

#include "engine/overdrive_effect.h"
#include "engine/parameter_table.h"
#include "host/editor_base.h"

// Every change ends the same way: the editor is told, then the coefficients follow.
void OverdriveEffect::parameterChanged() {
  if (editor) editor->postUpdate();
  recomputeCoefficients();
}

void OverdriveEffect::loadProgram(int32_t program) {
  currentProgram = program;
  for (int32_t i = 0; i < kParameterCount; ++i) {
    const ParameterInfo& parameter = *parameterAt(i);
    (this->*parameter.current)
        .store(programs[program].*parameter.stored, std::memory_order_relaxed);
  }
}

// Unsaved changes to the current values are discarded: the bank is never written back. The
// dispatcher passes only numbers within the bank.
void OverdriveEffect::setProgram(int32_t program) {
  loadProgram(program);
  parameterChanged();
}

void OverdriveEffect::setParameter(int32_t index, float value) {
  if (const ParameterInfo* parameter = parameterAt(index))
    (this->*parameter->current).store(value, std::memory_order_relaxed);
  parameterChanged();
}

float OverdriveEffect::getParameter(int32_t index) {
  const ParameterInfo* parameter = parameterAt(index);
  return parameter ? (this->*parameter->current).load(std::memory_order_relaxed) : 0.0f;
}

void OverdriveEffect::setProgramName(char* name) {
  setProgramNameText(programs[currentProgram], name);
}

// The caller's buffer holds 24 bytes.
void OverdriveEffect::getProgramName(char* name) {
  std::strcpy(name, programs[currentProgram].name);
}

void OverdriveEffect::getParameterName(int32_t index, char* text) {
  if (const ParameterInfo* parameter = parameterAt(index)) std::strcpy(text, parameter->name);
}

void OverdriveEffect::getParameterLabel(int32_t index, char* label) {
  if (const ParameterInfo* parameter = parameterAt(index)) std::strcpy(label, parameter->label);
}

void OverdriveEffect::getParameterDisplay(int32_t index, char* text) {
  const ParameterInfo* parameter = parameterAt(index);
  if (!parameter) return;
  const float value = (this->*parameter->current).load(std::memory_order_relaxed);
  switch (parameter->display) {
    case ParameterDisplay::value: float2string(value, text); break;
    // The same 0.5 rule as the editor's check box; the engine's x100 needs more than 0.5.
    case ParameterDisplay::onOff: std::strcpy(text, value >= 0.5f ? "ON" : "OFF"); break;
    case ParameterDisplay::valueMinusOne:
      float2string(static_cast<float>(static_cast<double>(value) - 1.0), text);
      break;
  }
}
