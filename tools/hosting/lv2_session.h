// One LV2 plug-in instance as this project's programs host it, through lilv. The host owns the
// control ports' values: parameters are the control inputs in port order, set between blocks
// and taken by the plug-in at its next run; programs are the bundle's presets, applied as lilv
// states; the session is the lilv state (port values, the plug-in's state dictionary, and the
// label of the preset applied) as Turtle text.
//
// LV2 instantiates with the sample rate, which start() gives only later: the instance is made
// at 44.1 kHz and made again, its state carried over, when start() asks for another rate.
// Audio and control ports are connected; a plug-in with a port of any other kind that is not
// optional is refused. LV2 ports carry numbers and no display texts, so parameterDisplay is
// empty, and plug-ins only replace their outputs.
#pragma once

#include <lilv/lilv.h>

#include <string>
#include <vector>

#include "tools/hosting/hosted_plugin.h"
#include "tools/hosting/lv2_bundle.h"

class Lv2Session : public HostedPlugin {
 public:
  // Throws std::runtime_error when the plug-in does not start.
  explicit Lv2Session(const Lv2Bundle& bundle);
  ~Lv2Session() override;
  Lv2Session(const Lv2Session&) = delete;
  Lv2Session& operator=(const Lv2Session&) = delete;

  // The URI, the bundle and the ports.
  std::vector<std::string> identityLines() override;
  bool isOverdrive() override;
  int32_t inputCount() override { return static_cast<int32_t>(audioInputs.size()); }
  int32_t outputCount() override { return static_cast<int32_t>(audioOutputs.size()); }

  int32_t parameterCount() override { return static_cast<int32_t>(controls.size()); }
  std::string parameterName(int32_t index) override { return controls.at(index).name; }
  std::string parameterId(int32_t index) override { return controls.at(index).symbol; }
  std::string parameterLabel(int32_t index) override { return controls.at(index).unit; }
  std::string parameterDisplay(int32_t) override { return ""; }
  float parameter(int32_t index) override { return controls.at(index).value; }
  void setParameter(int32_t index, float value) override { controls.at(index).value = value; }

  // The presets' labels; the current one is the preset last applied, -1 before any.
  std::vector<std::string> programNames() override;
  int32_t program() override { return currentProgram; }
  void setProgram(int32_t program) override;

  void start(float sampleRate, int32_t blockSize) override;
  void stop() override;
  void processReplacing(float** inputs, float** outputs, int32_t frames) override;

  bool saveState(std::vector<uint8_t>& bytes) override;
  bool loadState(const std::vector<uint8_t>& bytes) override;

 private:
  struct Control {
    uint32_t port;
    std::string symbol, name, unit;
    float value;
  };

  void instantiate(double rate);
  LilvState* capture();
  void restore(const LilvState* state, bool withPorts);
  static const void* portValue(const char* symbol, void* session, uint32_t* size, uint32_t* type);
  static void setPortValue(const char* symbol, void* session, const void* value, uint32_t size,
                           uint32_t type);

  const Lv2Bundle& bundle;
  LilvInstance* instance = nullptr;
  double sampleRate = 44100.0;
  bool running = false;
  std::vector<uint32_t> audioInputs, audioOutputs;
  std::vector<Control> controls;
  std::vector<uint32_t> outputPorts;  // control outputs, written into outputValues
  std::vector<float> outputValues;
  int32_t currentProgram = -1;
};
