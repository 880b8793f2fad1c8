// The VST2 face of the overdrive engine: the effect class the dispatcher and the record reach,
// forwarding every parameter, program and processing call to the engine it holds.
#pragma once

#include <cstdint>

#include "engine/overdrive_engine.h"
#include "vst2/effect_base.h"

class OverdriveEffect : public EffectBase, private ParameterListener {
 public:
  explicit OverdriveEffect(audioMasterCallback hostCallback);
  ~OverdriveEffect() override;

  void setParameter(int32_t index, float value) override;
  float getParameter(int32_t index) override;
  // The host may call either entry from block to block; inputs and outputs may be the same
  // buffers. Both may run while another thread changes parameters.
  void process(float** inputs, float** outputs, int32_t sampleFrames) override;
  void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;
  void setProgram(int32_t program) override;
  void setProgramName(char* name) override;
  void getProgramName(char* name) override;
  void getParameterLabel(int32_t index, char* label) override;
  void getParameterDisplay(int32_t index, char* text) override;
  void getParameterName(int32_t index, char* text) override;
  float getVu() override;
  void suspend() override;

  // Whether every allocation of this construction succeeded: only a complete instance is
  // handed to a host.
  bool complete() const { return engine_.complete(); }

  OverdriveEngine& engine() { return engine_; }

 private:
  // Every change of a value tells the editor before the coefficients follow.
  void parametersChanged() override;

  OverdriveEngine engine_;
};

// The name a VST2 host shows: the parameter's name centred in 10 characters, the odd blank on
// the right (" PreBand  ", "PostFilter").
void paddedParameterName(int32_t index, char* text);
