// One VST2 plug-in instance through its life as the host drives it: effOpen when created; sample
// rate, block size and effMainsChanged 1 on start; effMainsChanged 0 on stop; effClose when
// destroyed. The texts and parameters are read and set through the record's own functions.
#pragma once

#include <string>
#include <vector>

#include "tools/hosting/hosted_plugin.h"
#include "vst2/aeffect.h"

class HostSession : public HostedPlugin {
 public:
  explicit HostSession(AEffect* effect);
  ~HostSession() override;

  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  const AEffect& record() const { return *effect_; }

  // The unique id and version, the pins, the flags (each bit named) and the delay.
  std::vector<std::string> identityLines() override;
  bool isOverdrive() override;
  int32_t inputCount() override { return effect_->numInputs; }
  int32_t outputCount() override { return effect_->numOutputs; }
  bool canReplace() override { return (effect_->flags & effFlagsCanReplacing) != 0; }
  bool canAccumulate() override { return true; }

  int32_t parameterCount() override { return effect_->numParams; }
  std::string parameterName(int32_t index) override;
  std::string parameterId(int32_t) override { return ""; }
  std::string parameterLabel(int32_t index) override;
  std::string parameterDisplay(int32_t index) override;
  float parameter(int32_t index) override;
  void setParameter(int32_t index, float value) override;

  int32_t program() override;
  void setProgram(int32_t program) override;
  std::string programName();
  // Selects each program in turn to read its name, then reselects the current one.
  std::vector<std::string> programNames() override;

  void start(float sampleRate, int32_t blockSize) override;
  void stop() override;
  void processReplacing(float** inputs, float** outputs, int32_t frames) override;
  // The accumulating call: the plug-in adds to what `outputs` hold.
  void processAccumulating(float** inputs, float** outputs, int32_t frames) override;

  // The first version of the interface saves no session here (this plug-in offers no chunk).
  bool saveState(std::vector<uint8_t>&) override { return false; }
  bool loadState(const std::vector<uint8_t>&) override { return false; }

 private:
  intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f);
  std::string text(int32_t opcode, int32_t index);

  AEffect* effect_;
  bool running_ = false;
};
