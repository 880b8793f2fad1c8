#include "tools/hosting/clap_instance.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

#include "clap/ext/gui.h"
#include "clap/ext/latency.h"
#include "clap/ext/note-ports.h"
#include "clap/ext/timer-support.h"
#include "clap/plugin_identity.h"
#include "tools/hosting/clap_byte_streams.h"

namespace {

std::string joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : ", ") + word;
  return text.empty() ? "none" : text;
}

std::string orNothing(const char* text) { return text ? text : ""; }

}  // namespace

ClapInstance::ClapInstance(const clap_plugin_factory_t& factory,
                           const clap_plugin_descriptor_t& descriptor) {
  plugin_ = factory.create_plugin(&factory, host_.host(), descriptor.id);
  if (!plugin_) throw std::runtime_error(orNothing(descriptor.name) + " declined to start");
  if (!plugin_->init(plugin_)) {
    plugin_->destroy(plugin_);
    throw std::runtime_error(orNothing(descriptor.name) + " failed its init");
  }
  host_.attach(plugin_);
  params_ = static_cast<const clap_plugin_params_t*>(extension(CLAP_EXT_PARAMS));
  state_ = static_cast<const clap_plugin_state_t*>(extension(CLAP_EXT_STATE));
  ports_ = static_cast<const clap_plugin_audio_ports_t*>(extension(CLAP_EXT_AUDIO_PORTS));
  const uint32_t count = params_ ? params_->count(plugin_) : 0;
  for (uint32_t i = 0; i < count; ++i) {
    clap_param_info_t info = {};
    if (!params_->get_info(plugin_, i, &info)) continue;
    if (isOverdrive() && info.id == kProgramParameterId) {
      hasPrograms_ = true;
      programParameter_ = info;
    } else {
      parameters_.push_back(info);
    }
  }
}

ClapInstance::~ClapInstance() {
  stop();
  plugin_->destroy(plugin_);
}

bool ClapInstance::isOverdrive() { return std::strcmp(plugin_->desc->id, kClapPluginId) == 0; }

std::vector<std::string> ClapInstance::identityLines() {
  const clap_plugin_descriptor_t& d = *plugin_->desc;
  std::vector<std::string> lines;
  lines.push_back(
      "id         " + orNothing(d.id) + " (CLAP " + std::to_string(d.clap_version.major) + "." +
      std::to_string(d.clap_version.minor) + "." + std::to_string(d.clap_version.revision) + ")");
  lines.push_back("name       " + orNothing(d.name) + ", vendor " + orNothing(d.vendor) +
                  ", version " + orNothing(d.version));
  std::vector<std::string> features;
  for (const char* const* feature = d.features; feature && *feature; ++feature)
    features.push_back(*feature);
  lines.push_back("features   " + joined(features));
  std::string audio = "audio     ";
  for (bool input : {true, false}) {
    const uint32_t ports = ports_ ? ports_->count(plugin_, input) : 0;
    audio += std::string(" ") + std::to_string(channelCount(input)) + (input ? " in (" : " out (");
    for (uint32_t i = 0; i < ports; ++i) {
      clap_audio_port_info_t info = {};
      if (!ports_->get(plugin_, i, input, &info)) continue;
      audio += (i ? "; " : "") + std::string("\"") + info.name + "\" " +
               std::to_string(info.channel_count) + " channels" +
               ((info.flags & CLAP_AUDIO_PORT_IS_MAIN) ? ", main" : "");
    }
    audio += input ? ")," : ")";
  }
  const auto* latency = static_cast<const clap_plugin_latency_t*>(extension(CLAP_EXT_LATENCY));
  if (latency) audio += ", latency " + std::to_string(latency->get(plugin_));
  lines.push_back(audio);
  std::vector<std::string> answered;
  for (const char* id : {CLAP_EXT_AUDIO_PORTS, CLAP_EXT_GUI, CLAP_EXT_LATENCY, CLAP_EXT_NOTE_PORTS,
                         CLAP_EXT_PARAMS, CLAP_EXT_STATE, CLAP_EXT_TIMER_SUPPORT}) {
    if (extension(id)) answered.push_back(id);
  }
  lines.push_back("extensions " + joined(answered));
  return lines;
}

int32_t ClapInstance::channelCount(bool input) {
  int32_t channels = 0;
  const uint32_t ports = ports_ ? ports_->count(plugin_, input) : 0;
  for (uint32_t i = 0; i < ports; ++i) {
    clap_audio_port_info_t info = {};
    if (ports_->get(plugin_, i, input, &info)) channels += static_cast<int32_t>(info.channel_count);
  }
  return channels;
}

std::string ClapInstance::parameterId(int32_t index) {
  return std::to_string(parameters_.at(index).id);
}

std::string ClapInstance::text(clap_id id, double value) {
  char buffer[256] = {};
  if (!params_->value_to_text(plugin_, id, value, buffer, sizeof buffer)) return "";
  buffer[sizeof buffer - 1] = '\0';
  return buffer;
}

std::string ClapInstance::parameterDisplay(int32_t index) {
  const clap_param_info_t& info = parameters_.at(index);
  double value = 0.0;
  return params_->get_value(plugin_, info.id, &value) ? text(info.id, value) : "";
}

float ClapInstance::parameter(int32_t index) {
  const clap_param_info_t& info = parameters_.at(index);
  double value = 0.0;
  if (!params_->get_value(plugin_, info.id, &value)) return 0.0f;
  return static_cast<float>((value - info.min_value) / (info.max_value - info.min_value));
}

void ClapInstance::setParameter(int32_t index, float value) {
  const clap_param_info_t& info = parameters_.at(index);
  send(info.id, info.min_value + value * (info.max_value - info.min_value));
}

std::vector<std::string> ClapInstance::programNames() {
  std::vector<std::string> names;
  if (!hasPrograms_) return names;
  for (double step = programParameter_.min_value; step <= programParameter_.max_value; ++step)
    names.push_back(text(programParameter_.id, step));
  return names;
}

int32_t ClapInstance::program() {
  double value = 0.0;
  if (!hasPrograms_ || !params_->get_value(plugin_, programParameter_.id, &value)) return 0;
  return static_cast<int32_t>(std::lround(value));
}

void ClapInstance::setProgram(int32_t program) {
  if (hasPrograms_) send(programParameter_.id, program);
}

void ClapInstance::send(clap_id id, double value) {
  pending_.addValue(id, value, 0);
  if (!processing_) flush();
}

void ClapInstance::flush() {
  reported_.clear();
  if (params_) params_->flush(plugin_, pending_.list(), reported_.list());
  pending_.clear();
}

void ClapInstance::start(float sampleRate, int32_t blockSize) {
  stop();
  if (!plugin_->activate(plugin_, sampleRate, 1, static_cast<uint32_t>(blockSize)))
    throw std::runtime_error(orNothing(plugin_->desc->name) + " refused to activate");
  if (!plugin_->start_processing(plugin_)) {
    plugin_->deactivate(plugin_);
    throw std::runtime_error(orNothing(plugin_->desc->name) + " refused to start processing");
  }
  processing_ = true;
}

void ClapInstance::stop() {
  if (!processing_) return;
  plugin_->stop_processing(plugin_);
  plugin_->deactivate(plugin_);
  processing_ = false;
}

// Each port takes its channels from the flat list in turn.
std::vector<clap_audio_buffer_t> ClapInstance::buffers(bool input, float** channels) {
  std::vector<clap_audio_buffer_t> list;
  const uint32_t ports = ports_ ? ports_->count(plugin_, input) : 0;
  for (uint32_t i = 0; i < ports; ++i) {
    clap_audio_port_info_t info = {};
    if (!ports_->get(plugin_, i, input, &info)) continue;
    clap_audio_buffer_t buffer = {};
    buffer.data32 = channels;
    buffer.channel_count = info.channel_count;
    channels += info.channel_count;
    list.push_back(buffer);
  }
  return list;
}

void ClapInstance::processReplacing(float** inputs, float** outputs, int32_t frames) {
  std::vector<clap_audio_buffer_t> in = buffers(true, inputs), out = buffers(false, outputs);
  clap_process_t block = {};
  block.steady_time = steadyTime_;
  block.frames_count = static_cast<uint32_t>(frames);
  block.audio_inputs = in.data();
  block.audio_outputs = out.data();
  block.audio_inputs_count = static_cast<uint32_t>(in.size());
  block.audio_outputs_count = static_cast<uint32_t>(out.size());
  pending_.sortByTime();
  block.in_events = pending_.list();
  reported_.clear();
  block.out_events = reported_.list();
  const clap_process_status status = plugin_->process(plugin_, &block);
  pending_.clear();
  steadyTime_ += frames;
  if (status == CLAP_PROCESS_ERROR)
    throw std::runtime_error(orNothing(plugin_->desc->name) + " failed to process a block");
}

bool ClapInstance::saveState(std::vector<uint8_t>& bytes) {
  bytes.clear();
  ClapByteWriter writer(bytes);
  return state_ && state_->save(plugin_, writer.stream());
}

bool ClapInstance::loadState(const std::vector<uint8_t>& bytes) {
  ClapByteReader reader(bytes);
  return state_ && state_->load(plugin_, reader.stream());
}
