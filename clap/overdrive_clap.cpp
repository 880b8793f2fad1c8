#include "clap/overdrive_clap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "clap/core_events.h"
#include "clap/plugin_identity.h"
#include "engine/float_environment.h"
#ifdef VORRA_HAVE_EDITOR
#include "clap/clap_editor.h"
#endif

namespace {

// CLAP 1.1 types the list as `const char**`, so the array itself cannot be const.
const char* features[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, CLAP_PLUGIN_FEATURE_DISTORTION,
                          CLAP_PLUGIN_FEATURE_STEREO, nullptr};

// The two channels of a buffer list's first port, or null where the host gave no stereo pair of
// 32-bit buffers.
float** stereoPair(const clap_audio_buffer_t* buffers, uint32_t count) {
  if (!buffers || count < 1 || buffers[0].channel_count < 2) return nullptr;
  float** channels = buffers[0].data32;
  return channels && channels[0] && channels[1] ? channels : nullptr;
}

void processFrames(OverdriveEngine& engine, float** in, float** out, uint32_t from, uint32_t to) {
  float* inputs[2] = {in[0] + from, in[1] + from};
  float* outputs[2] = {out[0] + from, out[1] + from};
  engine.processReplacing(inputs, outputs, static_cast<int32_t>(to - from));
}

// The lifecycle entries of clap_plugin_t. The engine keeps no sample rate and no block size, and
// nothing is prepared on activation: every entry only records or forwards.

bool init(const clap_plugin_t* plugin) {
  OverdriveClap& self = OverdriveClap::of(plugin);
  const clap_host_t* host = self.host;
  self.hostParams =
      static_cast<const clap_host_params_t*>(host->get_extension(host, CLAP_EXT_PARAMS));
  self.hostTimers = static_cast<const clap_host_timer_support_t*>(
      host->get_extension(host, CLAP_EXT_TIMER_SUPPORT));
  self.hostGui = static_cast<const clap_host_gui_t*>(host->get_extension(host, CLAP_EXT_GUI));
  return true;
}

void destroy(const clap_plugin_t* plugin) {
#ifdef VORRA_HAVE_EDITOR
  // A host may destroy the instance with its window still created.
  kGuiExtension.destroy(plugin);
#endif
  delete &OverdriveClap::of(plugin);
}

bool activate(const clap_plugin_t*, double, uint32_t, uint32_t) { return true; }
void deactivate(const clap_plugin_t*) {}
bool startProcessing(const clap_plugin_t*) { return true; }
void stopProcessing(const clap_plugin_t*) {}
// The sound goes on where it stopped, as after the VST2 face's suspend: the filters decay.
void reset(const clap_plugin_t*) {}

clap_process_status processEntry(const clap_plugin_t* plugin, const clap_process_t* process) {
  return process ? OverdriveClap::of(plugin).process(*process) : CLAP_PROCESS_ERROR;
}

const void* extension(const clap_plugin_t*, const char* id) {
  if (!id) return nullptr;
  if (!std::strcmp(id, CLAP_EXT_PARAMS)) return &kParamsExtension;
  if (!std::strcmp(id, CLAP_EXT_STATE)) return &kStateExtension;
  if (!std::strcmp(id, CLAP_EXT_AUDIO_PORTS)) return &kAudioPortsExtension;
  if (!std::strcmp(id, CLAP_EXT_LATENCY)) return &kLatencyExtension;
#ifdef VORRA_HAVE_EDITOR
  if (!std::strcmp(id, CLAP_EXT_GUI)) return &kGuiExtension;
  if (!std::strcmp(id, CLAP_EXT_TIMER_SUPPORT)) return &kTimerExtension;
#endif
  return nullptr;
}

void onMainThread(const clap_plugin_t*) {}

}  // namespace

const clap_plugin_descriptor_t kOverdriveDescriptor = {
    CLAP_VERSION_INIT,
    kClapPluginId,
    "Vorra OverDrive",
    "Tonquill",
    "http://www.tonquill.example",
    "",
    "",
    "1.2.0",
    "Stereo overdrive: tone filter, drive, three-band sine shaper, post filter",
    features};

OverdriveClap::OverdriveClap(const clap_host_t* host)
    : host(host),
      plugin_{&kOverdriveDescriptor,
              this,
              &init,
              &destroy,
              &activate,
              &deactivate,
              &startProcessing,
              &stopProcessing,
              &reset,
              &processEntry,
              &extension,
              &onMainThread} {}

// Every value converted between double and float here keeps its bits whatever the host's
// thread set (denormals included), as the engine's own entries do.
clap_process_status OverdriveClap::process(const clap_process_t& p) {
  const VectorUnitDefaults defaults;
  sendWindowChanges(p.out_events);
  const uint32_t frames = p.frames_count;
  float** in = stereoPair(p.audio_inputs, p.audio_inputs_count);
  float** out = stereoPair(p.audio_outputs, p.audio_outputs_count);
  const bool audio = in && out && frames <= INT32_MAX;
  // The last frame an output event may name.
  const uint32_t lastFrame = frames > 0 ? frames - 1 : 0;
  uint32_t done = 0;
  const uint32_t count = p.in_events ? p.in_events->size(p.in_events) : 0;
  for (uint32_t i = 0; i < count; ++i) {
    const clap_event_header_t* event = p.in_events->get(p.in_events, i);
    if (!event) continue;
    const uint32_t at = std::clamp(event->time, done, frames);
    if (audio && at > done) {
      processFrames(engine, in, out, done, at);
      done = at;
    }
    apply(*event, std::min(at, lastFrame), p.out_events);
  }
  if (!audio) return frames == 0 ? CLAP_PROCESS_CONTINUE : CLAP_PROCESS_ERROR;
  if (done < frames) processFrames(engine, in, out, done, frames);
  p.audio_outputs[0].constant_mask = 0;
  return CLAP_PROCESS_CONTINUE;
}

// A flush is a block of no frames and no audio: every event applies at frame 0.
void OverdriveClap::flush(const clap_input_events_t* in, const clap_output_events_t* out) {
  clap_process_t block{};
  block.in_events = in;
  block.out_events = out;
  process(block);
}

void OverdriveClap::requestFlush() const {
  if (hostParams) hostParams->request_flush(host);
}

// Values reach the engine as the host sends them, unclamped, as through every other face.
void OverdriveClap::apply(const clap_event_header_t& event, uint32_t time,
                          const clap_output_events_t* out) {
  if (event.space_id != CLAP_CORE_EVENT_SPACE_ID || event.type != CLAP_EVENT_PARAM_VALUE ||
      event.size < sizeof(clap_event_param_value_t))
    return;
  const auto& change = reinterpret_cast<const clap_event_param_value_t&>(event);
  if (change.param_id == kProgramParameterId) {
    // A value outside the bank leaves the current program.
    if (engine.loadProgram(programAt(change.value))) reportValues(time, out);
  } else if (change.param_id < static_cast<uint32_t>(kParameterCount)) {
    engine.setParameter(static_cast<int32_t>(change.param_id), static_cast<float>(change.value));
  }
}

void OverdriveClap::sendWindowChanges(const clap_output_events_t* out) {
  WindowChange change;
  while (windowChanges.pop(change)) {
    if (!out) continue;
    const auto id = static_cast<uint32_t>(change.index);
    if (change.kind == WindowChange::newValue) {
      const clap_event_param_value_t event = clapValueEvent(id, change.value, 0);
      out->try_push(out, &event.header);
    } else {
      auto event = clapCoreEvent<clap_event_param_gesture_t>(
          change.kind == WindowChange::gestureBegin ? CLAP_EVENT_PARAM_GESTURE_BEGIN
                                                    : CLAP_EVENT_PARAM_GESTURE_END,
          0);
      event.param_id = id;
      out->try_push(out, &event.header);
    }
  }
}

void OverdriveClap::reportValues(uint32_t time, const clap_output_events_t* out) {
  if (!out) return;
  for (int32_t index = 0; index < kParameterCount; ++index) {
    const clap_event_param_value_t event =
        clapValueEvent(static_cast<uint32_t>(index), engine.parameter(index), time);
    out->try_push(out, &event.header);
  }
}
