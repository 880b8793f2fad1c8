#include "vst2/effect_base.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "engine/value_text.h"
#include "vst2/editor_base.h"
#include "vst2/entry_functions.h"

EffectBase::EffectBase(audioMasterCallback callback, int32_t programCount, int32_t paramCount)
    : sampleRate(44100.0f),
      editor(nullptr),
      hostCallback(callback),
      numPrograms(programCount),
      numParams(paramCount),
      currentProgram(0),
      blockSize(1024) {
  std::memset(&effectRecord, 0, sizeof effectRecord);
  effectRecord.magic = kEffectMagic;
  effectRecord.dispatcher = dispatcherEntry;
  effectRecord.process = processEntry;
  effectRecord.setParameter = setParameterEntry;
  effectRecord.getParameter = getParameterEntry;
  effectRecord.processReplacing = processReplacingEntry;
  effectRecord.numPrograms = programCount;
  effectRecord.numParams = paramCount;
  effectRecord.numInputs = 1;
  effectRecord.numOutputs = 2;
  effectRecord.ioRatio = 1.0f;
  effectRecord.object = this;
  effectRecord.uniqueID = fourCharConstant("ZRVQ");
  effectRecord.version = 1;
}

EffectBase::~EffectBase() { delete editor; }

intptr_t EffectBase::callHost(int32_t opcode, int32_t index, intptr_t value, float opt) {
  return hostCallback(&effectRecord, opcode, index, value, nullptr, opt);
}

void EffectBase::setFlag(int32_t bit, bool state) {
  if (state)
    effectRecord.flags |= bit;
  else
    effectRecord.flags &= ~bit;
}

void EffectBase::setParameter(int32_t, float) {}
float EffectBase::getParameter(int32_t) { return 0.0f; }

// The editor calls this for every change the user makes, so the host can record automation.
void EffectBase::setParameterAutomated(int32_t index, float value) {
  setParameter(index, value);
  if (hostCallback) callHost(audioMasterAutomate, index, 0, value);
}

void EffectBase::processReplacing(float**, float**, int32_t) {}
void EffectBase::open() {}
void EffectBase::close() {}
int32_t EffectBase::getProgram() { return currentProgram; }
void EffectBase::setProgram(int32_t program) { currentProgram = program; }
void EffectBase::setProgramName(char* name) { name[0] = '\0'; }
void EffectBase::getProgramName(char* name) { name[0] = '\0'; }
void EffectBase::getParameterLabel(int32_t, char* label) { label[0] = '\0'; }
void EffectBase::getParameterDisplay(int32_t, char* text) { text[0] = '\0'; }
void EffectBase::getParameterName(int32_t, char* text) { text[0] = '\0'; }
float EffectBase::getVu() { return 0.0f; }
int32_t EffectBase::getChunk(void**, bool) { return 0; }
int32_t EffectBase::setChunk(void*, int32_t, bool) { return 0; }
void EffectBase::setSampleRate(float rate) { sampleRate = rate; }
void EffectBase::setBlockSize(int32_t frames) { blockSize = frames; }
void EffectBase::suspend() {}
void EffectBase::resume() {}

void EffectBase::setUniqueID(int32_t id) { effectRecord.uniqueID = id; }
void EffectBase::setNumInputs(int32_t count) { effectRecord.numInputs = count; }
void EffectBase::setNumOutputs(int32_t count) { effectRecord.numOutputs = count; }
void EffectBase::hasVu(bool state) { setFlag(effFlagsHasVu, state); }
void EffectBase::hasClip(bool state) { setFlag(effFlagsHasClip, state); }
void EffectBase::canMono(bool state) { setFlag(effFlagsCanMono, state); }
void EffectBase::canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
void EffectBase::programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
void EffectBase::setRealtimeQualities(int32_t qualities) { effectRecord.realQualities = qualities; }
void EffectBase::setOfflineQualities(int32_t qualities) { effectRecord.offQualities = qualities; }
void EffectBase::setInitialDelay(int32_t delay) { effectRecord.initialDelay = delay; }
float EffectBase::getSampleRate() { return sampleRate; }
int32_t EffectBase::getBlockSize() { return blockSize; }

// A host that answers 0 still speaks the first interface version.
int32_t EffectBase::getMasterVersion() {
  if (!hostCallback) return 1;
  const intptr_t version = callHost(audioMasterVersion, 0, 0, 0.0f);
  return version != 0 ? static_cast<int32_t>(version) : 1;
}

int32_t EffectBase::getCurrentUniqueId() {
  return hostCallback ? static_cast<int32_t>(callHost(audioMasterCurrentId, 0, 0, 0.0f)) : 0;
}

void EffectBase::masterIdle() {
  if (hostCallback) callHost(audioMasterIdle, 0, 0, 0.0f);
}

// The host answers 0 for a connected pin; without a host every pin counts as connected.
bool EffectBase::isInputConnected(int32_t input) {
  return !hostCallback || callHost(audioMasterPinConnected, input, 0, 0.0f) == 0;
}

bool EffectBase::isOutputConnected(int32_t output) {
  return !hostCallback || callHost(audioMasterPinConnected, output, 1, 0.0f) == 0;
}

void EffectBase::dB2string(float value, char* text) {
  if (value > 0)
    float2string(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text);
  else
    std::strcpy(text, kMinusInfinityText);
}

void EffectBase::Hz2string(float samples, char* text) {
  if (samples == 0 || std::isnan(samples))
    float2string(0.0f, text);
  else
    float2string(static_cast<float>(static_cast<double>(getSampleRate()) / samples), text);
}

// At sample rate 0 a duration is unbounded: any non-zero number of samples shows " Huge!  ".
void EffectBase::ms2string(float samples, char* text) {
  const double rate = getSampleRate();
  if (rate == 0) {
    float2string(samples == 0 ? 0.0f : std::numeric_limits<float>::infinity(), text);
    return;
  }
  float2string(static_cast<float>(static_cast<double>(samples) * 1000.0 / rate), text);
}

void EffectBase::float2string(float value, char* text) { formatFloat(value, text); }
void EffectBase::long2string(int32_t value, char* text) { formatLong(value, text); }
