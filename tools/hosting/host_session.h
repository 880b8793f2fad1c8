// One plug-in instance through its life as the host drives it: effOpen when created; sample
// rate, block size and effMainsChanged 1 on start; effMainsChanged 0 on stop; effClose when
// destroyed. The texts and parameters are read and set through the record's own functions.
#pragma once

#include <string>
#include <vector>

#include "vst2/aeffect.h"

class HostSession {
 public:
  explicit HostSession(AEffect* effect);
  ~HostSession();

  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  const AEffect& record() const { return *effect_; }

  std::string parameterName(int32_t index);
  std::string parameterLabel(int32_t index);
  std::string parameterDisplay(int32_t index);
  float parameter(int32_t index);
  void setParameter(int32_t index, float value);
  std::vector<std::string> parameterNames();

  int32_t program();
  void setProgram(int32_t program);
  std::string programName();
  // Selects each program in turn to read its name, then reselects the current one.
  std::vector<std::string> programNames();

  void start(float sampleRate, int32_t blockSize);
  void stop();
  void processReplacing(float** inputs, float** outputs, int32_t frames);
  // The accumulating call: the plug-in adds to what `outputs` hold.
  void processAccumulating(float** inputs, float** outputs, int32_t frames);

 private:
  intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f);
  std::string text(int32_t opcode, int32_t index);

  AEffect* effect_;
  bool running_ = false;
};
