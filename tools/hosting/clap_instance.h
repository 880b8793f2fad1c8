// One CLAP plug-in instance through its life as the project's programs host it: created and
// initialised from the factory; activated and processing on start; stopped and deactivated on
// stop; destroyed with the object. Values set while it processes travel as parameter events at
// the next block's first frame; otherwise params.flush applies them at once. Of Vorra OverDrive,
// the program parameter is not listed among the parameters but selects the programs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "clap/ext/audio-ports.h"
#include "clap/ext/params.h"
#include "clap/ext/state.h"
#include "clap/plugin-factory.h"
#include "tools/hosting/clap_event_lists.h"
#include "tools/hosting/clap_host.h"
#include "tools/hosting/hosted_plugin.h"

class ClapInstance : public HostedPlugin {
 public:
  // Throws std::runtime_error when the factory creates nothing or init fails.
  ClapInstance(const clap_plugin_factory_t& factory, const clap_plugin_descriptor_t& descriptor);
  ~ClapInstance() override;
  ClapInstance(const ClapInstance&) = delete;
  ClapInstance& operator=(const ClapInstance&) = delete;

  // The id with the CLAP version, name, vendor and version, the features, the audio ports with
  // the latency, and the extensions the plug-in answers.
  std::vector<std::string> identityLines() override;
  bool isOverdrive() override;
  int32_t inputCount() override { return channelCount(true); }
  int32_t outputCount() override { return channelCount(false); }

  int32_t parameterCount() override { return static_cast<int32_t>(parameters_.size()); }
  std::string parameterName(int32_t index) override { return parameters_.at(index).name; }
  std::string parameterId(int32_t index) override;
  // CLAP 1.1 has no units.
  std::string parameterLabel(int32_t) override { return ""; }
  std::string parameterDisplay(int32_t index) override;
  // The plain value mapped from its range to 0 to 1, and back.
  float parameter(int32_t index) override;
  void setParameter(int32_t index, float value) override;

  std::vector<std::string> programNames() override;
  int32_t program() override;
  void setProgram(int32_t program) override;

  void start(float sampleRate, int32_t blockSize) override;
  void stop() override;
  void processReplacing(float** inputs, float** outputs, int32_t frames) override;

  bool saveState(std::vector<uint8_t>& bytes) override;
  bool loadState(const std::vector<uint8_t>& bytes) override;

  // Beyond HostedPlugin, for hosts that drive more of the format (the tests).
  const clap_plugin_t* plugin() const { return plugin_; }
  ClapHost& host() { return host_; }
  // A plain value at `frame` of the next block, whatever the id.
  void queueValue(clap_id id, double value, uint32_t frame) { pending_.addValue(id, value, frame); }
  // params.flush with what is queued.
  void flush();
  // What the plug-in reported in the last process or flush.
  const std::vector<ReportedEvent>& reported() const { return reported_.events(); }

 private:
  const void* extension(const char* id) const { return plugin_->get_extension(plugin_, id); }
  int32_t channelCount(bool input);
  std::vector<clap_audio_buffer_t> buffers(bool input, float** channels);
  // Applies now, or at the next block while processing.
  void send(clap_id id, double value);
  std::string text(clap_id id, double value);

  ClapHost host_;
  const clap_plugin_t* plugin_ = nullptr;
  const clap_plugin_params_t* params_ = nullptr;
  const clap_plugin_state_t* state_ = nullptr;
  const clap_plugin_audio_ports_t* ports_ = nullptr;
  std::vector<clap_param_info_t> parameters_;
  bool hasPrograms_ = false;
  clap_param_info_t programParameter_ = {};
  ClapInputEvents pending_;
  ClapOutputEvents reported_;
  bool processing_ = false;
  int64_t steadyTime_ = 0;
};
