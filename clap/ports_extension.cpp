// clap.audio-ports: one stereo input and one stereo output, which may share their buffers (the
// engine processes in place); clap.latency: none.
#include <cstdio>
#include <cstring>

#include "clap/overdrive_clap.h"

namespace {

uint32_t count(const clap_plugin_t*, bool) { return 1; }

bool port(const clap_plugin_t*, uint32_t index, bool isInput, clap_audio_port_info_t* info) {
  if (index != 0 || !info) return false;
  std::memset(info, 0, sizeof *info);
  info->id = 0;
  std::snprintf(info->name, sizeof info->name, "%s", isInput ? "Input" : "Output");
  info->flags = CLAP_AUDIO_PORT_IS_MAIN;
  info->channel_count = 2;
  info->port_type = CLAP_PORT_STEREO;
  info->in_place_pair = 0;
  return true;
}

uint32_t latency(const clap_plugin_t*) { return 0; }

}  // namespace

const clap_plugin_audio_ports_t kAudioPortsExtension = {&count, &port};
const clap_plugin_latency_t kLatencyExtension = {&latency};
