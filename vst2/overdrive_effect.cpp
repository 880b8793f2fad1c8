#include "vst2/overdrive_effect.h"

#include <cstring>

#include "vst2/editor_base.h"

OverdriveEffect::OverdriveEffect(audioMasterCallback hostCallback)
    : EffectBase(hostCallback, OverdriveEngine::kProgramCount, kParameterCount), engine_(this) {
  setNumInputs(2);
  setNumOutputs(2);
  hasVu(true);
  canProcessReplacing(true);
  setUniqueID(fourCharConstant("KxFm"));
}

OverdriveEffect::~OverdriveEffect() = default;

void OverdriveEffect::parametersChanged() {
  if (editor) editor->postUpdate();
}

void OverdriveEffect::setParameter(int32_t index, float value) {
  engine_.setParameter(index, value);
}

float OverdriveEffect::getParameter(int32_t index) { return engine_.parameter(index); }

void OverdriveEffect::process(float** inputs, float** outputs, int32_t sampleFrames) {
  engine_.processAccumulating(inputs, outputs, sampleFrames);
}

void OverdriveEffect::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
  engine_.processReplacing(inputs, outputs, sampleFrames);
}

// The dispatcher passes only numbers within the bank; the engine checks again.
void OverdriveEffect::setProgram(int32_t program) {
  if (program < 0 || program >= numPrograms) return;
  currentProgram = program;
  engine_.loadProgram(program);
}

void OverdriveEffect::setProgramName(char* name) { engine_.setProgramName(name); }

// The caller's buffer holds 24 bytes.
void OverdriveEffect::getProgramName(char* name) {
  std::strcpy(name, engine_.programName(engine_.currentProgram()));
}

void OverdriveEffect::getParameterName(int32_t index, char* text) {
  if (parameterAt(index)) paddedParameterName(index, text);
}

void OverdriveEffect::getParameterLabel(int32_t index, char* label) {
  if (const ParameterDescriptor* parameter = parameterAt(index))
    std::strcpy(label, parameter->unit);
}

void OverdriveEffect::getParameterDisplay(int32_t index, char* text) {
  if (!parameterAt(index)) return;
  char display[kDisplaySize];
  formatParameterValue(index, engine_.parameter(index), display);
  std::strcpy(text, display);
}

float OverdriveEffect::getVu() { return engine_.meter(); }

// Suspending keeps every state: the sound goes on where it stopped.
void OverdriveEffect::suspend() {}

void paddedParameterName(int32_t index, char* text) {
  constexpr size_t kWidth = 10;
  const char* name = kParameterDescriptors[index].name;
  const size_t length = std::strlen(name);
  const size_t left = (kWidth - length) / 2;
  std::memset(text, ' ', kWidth);
  std::memcpy(text + left, name, length);
  text[kWidth] = '\0';
}
