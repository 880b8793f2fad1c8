// One VST3 effect instance as our programs host it: created from the bundle's factory,
// initialized with our host context, its controller found on the component (the controller as a
// separate class is not supported), one bus each way, processed offline in 32-bit floats.
// Values set between blocks go to the controller at once and to the processor at offset 0 of the
// next block; the program-change parameter is not among the parameters but drives the programs,
// whose names come from the root unit's program list. A saved session holds the component's
// state and the controller's.
#pragma once

#include <string>
#include <vector>

#include "tools/hosting/hosted_plugin.h"
#include "tools/hosting/vst3_bundle.h"
#include "tools/hosting/vst3_host_objects.h"
#include "travesty/audio_processor.h"
#include "travesty/component.h"
#include "travesty/edit_controller.h"

class Vst3Session : public HostedPlugin {
 public:
  // Throws std::runtime_error when the class cannot be made into an effect we can host.
  explicit Vst3Session(const Vst3Bundle& bundle);
  ~Vst3Session() override;

  Vst3Session(const Vst3Session&) = delete;
  Vst3Session& operator=(const Vst3Session&) = delete;

  // The class id, name, vendor and category; the buses; the parameter count with the program
  // change; latency and tail.
  std::vector<std::string> identityLines() override;
  bool isOverdrive() override;
  int32_t inputCount() override { return inputChannels_; }
  int32_t outputCount() override { return outputChannels_; }

  int32_t parameterCount() override { return static_cast<int32_t>(parameters_.size()); }
  std::string parameterName(int32_t index) override { return parameters_[index].title; }
  std::string parameterId(int32_t index) override;
  std::string parameterLabel(int32_t index) override { return parameters_[index].units; }
  std::string parameterDisplay(int32_t index) override;
  float parameter(int32_t index) override;
  void setParameter(int32_t index, float value) override;

  std::vector<std::string> programNames() override;
  int32_t program() override;
  // A program replaces every value, so values set before it in the same pause are dropped.
  void setProgram(int32_t program) override;

  void start(float sampleRate, int32_t blockSize) override;
  void stop() override;
  void processReplacing(float** inputs, float** outputs, int32_t frames) override;

  bool saveState(std::vector<uint8_t>& bytes) override;
  bool loadState(const std::vector<uint8_t>& bytes) override;

  v3_component** component() const { return component_; }
  v3_edit_controller** controller() const { return controller_; }
  // The component's state alone.
  bool componentState(std::vector<uint8_t>& bytes);

 private:
  struct Parameter {
    v3_param_id id;
    std::string title, units;
  };
  [[noreturn]] void fail(const std::string& why);
  void close();
  void readParameters();
  void findProgramList();
  int32_t mainBusChannels(int32_t direction);
  const v3_component& componentTable() const;
  const v3_audio_processor& processorTable() const;
  const v3_edit_controller& controllerTable() const;

  const Vst3Bundle& bundle_;
  HostApplication host_;
  ParameterChanges pending_, reported_;
  v3_component** component_ = nullptr;
  v3_audio_processor** processor_ = nullptr;
  v3_edit_controller** controller_ = nullptr;
  std::vector<Parameter> parameters_;
  bool hasProgramChange_ = false;
  v3_param_id programChangeId_ = 0;
  int32_t programSteps_ = 0;
  int32_t programListId_ = -1, programCount_ = 0;
  int32_t inputChannels_ = 0, outputChannels_ = 0;
  bool running_ = false;
};
