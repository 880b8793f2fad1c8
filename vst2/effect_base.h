// Base class of every effect: owns the record the host sees, the host callback and the editor,
// and gives all virtual operations a default. Derived classes override only what they need.
#pragma once

#include <cstdint>

#include "vst2/aeffect.h"

class EditorBase;

class EffectBase {
 public:
  EffectBase(audioMasterCallback hostCallback, int32_t numPrograms, int32_t numParams);
  virtual ~EffectBase();

  EffectBase(const EffectBase&) = delete;
  EffectBase& operator=(const EffectBase&) = delete;

  // The virtual operations, in the order of their slots.
  virtual void setParameter(int32_t index, float value);
  virtual float getParameter(int32_t index);
  virtual void setParameterAutomated(int32_t index, float value);
  virtual void process(float** inputs, float** outputs, int32_t sampleFrames) = 0;
  virtual void processReplacing(float** inputs, float** outputs, int32_t sampleFrames);
  virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
  virtual void open();
  virtual void close();
  virtual int32_t getProgram();
  virtual void setProgram(int32_t program);
  virtual void setProgramName(char* name);
  virtual void getProgramName(char* name);
  virtual void getParameterLabel(int32_t index, char* label);
  virtual void getParameterDisplay(int32_t index, char* text);
  virtual void getParameterName(int32_t index, char* text);
  virtual float getVu();
  virtual int32_t getChunk(void** data, bool isPreset);
  virtual int32_t setChunk(void* data, int32_t byteSize, bool isPreset);
  virtual void setSampleRate(float sampleRate);
  virtual void setBlockSize(int32_t blockSize);
  virtual void suspend();
  virtual void resume();
  virtual void setUniqueID(int32_t id);
  virtual void setNumInputs(int32_t count);
  virtual void setNumOutputs(int32_t count);
  virtual void hasVu(bool state);
  virtual void hasClip(bool state);
  virtual void canMono(bool state);
  virtual void canProcessReplacing(bool state);
  virtual void programsAreChunks(bool state);
  virtual void setRealtimeQualities(int32_t qualities);
  virtual void setOfflineQualities(int32_t qualities);
  virtual void setInitialDelay(int32_t delay);
  virtual float getSampleRate();
  virtual int32_t getBlockSize();
  virtual int32_t getMasterVersion();
  virtual int32_t getCurrentUniqueId();
  virtual void masterIdle();
  virtual bool isInputConnected(int32_t input);
  virtual bool isOutputConnected(int32_t output);
  virtual void dB2string(float value, char* text);
  virtual void Hz2string(float samples, char* text);
  virtual void ms2string(float samples, char* text);
  virtual void float2string(float value, char* text);
  virtual void long2string(int32_t value, char* text);

  float sampleRate;
  EditorBase* editor;  // owned; the editor's constructor registers itself here
  audioMasterCallback hostCallback;
  int32_t numPrograms;
  int32_t numParams;
  int32_t currentProgram;
  int32_t blockSize;
  AEffect effectRecord;

 private:
  void setFlag(int32_t bit, bool state);
  intptr_t callHost(int32_t opcode, int32_t index, intptr_t value, float opt);
};

// The object that holds a record; the entry functions trust the record's `object` field.
inline EffectBase* effectOf(AEffect* record) { return static_cast<EffectBase*>(record->object); }
