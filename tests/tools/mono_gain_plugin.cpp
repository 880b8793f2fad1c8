// A test plug-in with one input and one output: multiplies by its parameter "Gain". Programs
// "Unity" and "Half" set the gain to 1 and 0.5. Every instance numbers itself and appends what
// the host does to a log that testPluginLog() returns; it exports only VSTPluginMain.
#include <cstdio>
#include <cstring>
#include <string>

#include "vst2/aeffect.h"

namespace {

std::string log;

struct Instance {
  AEffect record{};
  audioMasterCallback host;
  int number;
  int program = 0;
  float gain = 1.0f;
  int32_t largestBlock = 0;
};

void note(const Instance* self, const std::string& event) {
  log += std::to_string(self->number) + " " + event + "\n";
}

intptr_t dispatch(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                  float opt) {
  auto* self = static_cast<Instance*>(effect->object);
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effOpen: note(self, "open"); break;
    case effClose:
      note(self, "close, largest block " + std::to_string(self->largestBlock));
      delete self;
      return 1;
    case effSetProgram:
      self->program = static_cast<int>(value);
      self->gain = value == 0 ? 1.0f : 0.5f;
      break;
    case effGetProgram: return self->program;
    case effGetProgramName: std::strcpy(text, self->program == 0 ? "Unity" : "Half"); break;
    case effGetParamName: std::strcpy(text, index == 0 ? "Gain" : ""); break;
    case effGetParamLabel: std::strcpy(text, "x"); break;
    case effGetParamDisplay: std::snprintf(text, 9, "%.3f", self->gain); break;
    case effSetSampleRate: note(self, "rate " + std::to_string(opt)); break;
    case effSetBlockSize: note(self, "block " + std::to_string(value)); break;
    case effMainsChanged: note(self, "mains " + std::to_string(value)); break;
  }
  return 0;
}

void processReplacing(AEffect* effect, float** inputs, float** outputs, int32_t frames) {
  auto* self = static_cast<Instance*>(effect->object);
  if (frames > self->largestBlock) self->largestBlock = frames;
  for (int32_t i = 0; i < frames; ++i) outputs[0][i] = inputs[0][i] * self->gain;
}

void processAccumulating(AEffect* effect, float** inputs, float** outputs, int32_t frames) {
  auto* self = static_cast<Instance*>(effect->object);
  for (int32_t i = 0; i < frames; ++i) outputs[0][i] += inputs[0][i] * self->gain;
}

void setParameter(AEffect* effect, int32_t index, float value) {
  auto* self = static_cast<Instance*>(effect->object);
  if (index == 0) self->gain = value;
  self->host(effect, audioMasterAutomate, index, 0, nullptr, value);
}

float getParameter(AEffect* effect, int32_t index) {
  return index == 0 ? static_cast<Instance*>(effect->object)->gain : 0.0f;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const char* testPluginLog() {
  return log.c_str();
}

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host) {
  static int instances = 0;
  const intptr_t version = host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f);
  auto* self = new Instance{{}, host, ++instances};
  note(self, "host version " + std::to_string(version));
  AEffect& r = self->record;
  r.magic = kEffectMagic;
  r.dispatcher = dispatch;
  r.process = processAccumulating;
  r.processReplacing = processReplacing;
  r.setParameter = setParameter;
  r.getParameter = getParameter;
  r.numPrograms = 2;
  r.numParams = 1;
  r.numInputs = 1;
  r.numOutputs = 1;
  r.flags = effFlagsCanReplacing;
  r.object = self;
  return &r;
}
