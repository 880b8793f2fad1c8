// The CLAP face of the overdrive engine: one instance behind the clap_plugin_t the host holds,
// and the C tables of its extensions, each defined in a file of its own.
//
// Threads, as CLAP assigns them: process, and flush while active, on the audio thread; every
// other call on the main thread, where the window lives too. The engine is the one store of the
// values and is lock-free, so the window sets it directly and only queues what the host must
// hear (window_change_queue.h). Processing takes no lock and allocates nothing.
#pragma once

#include <cstdint>

#include "clap/ext/audio-ports.h"
#include "clap/ext/gui.h"
#include "clap/ext/latency.h"
#include "clap/ext/params.h"
#include "clap/ext/state.h"
#include "clap/ext/timer-support.h"
#include "clap/plugin.h"
#include "clap/window_change_queue.h"
#include "engine/overdrive_engine.h"

class ClapEditor;

class OverdriveClap {
 public:
  explicit OverdriveClap(const clap_host_t* host);
  OverdriveClap(const OverdriveClap&) = delete;
  OverdriveClap& operator=(const OverdriveClap&) = delete;

  static OverdriveClap& of(const clap_plugin_t* plugin) {
    return *static_cast<OverdriveClap*>(plugin->plugin_data);
  }
  const clap_plugin_t* plugin() const { return &plugin_; }
  // Whether every allocation of the engine succeeded: only a complete instance reaches a host.
  bool complete() const { return engine.complete(); }

  // The block, split at each parameter event's offset so that the change takes effect at its
  // frame; events past the block's end take effect after it, events out of order where
  // processing stands. The window's news goes out first.
  clap_process_status process(const clap_process_t& process);
  // params.flush: the events at once, and the window's news.
  void flush(const clap_input_events_t* in, const clap_output_events_t* out);
  // Asks the host for a flush, so that it hears of the window's changes without audio running.
  void requestFlush() const;

  OverdriveEngine engine;
  WindowChangeQueue windowChanges;
  const clap_host_t* const host;
  // The host's extensions, asked for once in init.
  const clap_host_params_t* hostParams = nullptr;
  const clap_host_timer_support_t* hostTimers = nullptr;
  const clap_host_gui_t* hostGui = nullptr;
  // The window while the host has one created (gui.create to gui.destroy).
  ClapEditor* editor = nullptr;

 private:
  void apply(const clap_event_header_t& event, uint32_t time, const clap_output_events_t* out);
  void sendWindowChanges(const clap_output_events_t* out);
  // The six values after a program loaded, so that the host's lanes follow.
  void reportValues(uint32_t time, const clap_output_events_t* out);

  clap_plugin_t plugin_;
};

extern const clap_plugin_descriptor_t kOverdriveDescriptor;

// The program a value of the "Program" parameter selects: the nearest one, or -1 outside the bank
// (NaN included).
inline int32_t programAt(double value) {
  if (!(value >= 0.0 && value <= OverdriveEngine::kProgramCount - 1)) return -1;
  return static_cast<int32_t>(value + 0.5);
}

// The extensions' tables (parameters_extension.cpp, state_extension.cpp, ports_extension.cpp,
// gui_extension.cpp).
extern const clap_plugin_params_t kParamsExtension;
extern const clap_plugin_state_t kStateExtension;
extern const clap_plugin_audio_ports_t kAudioPortsExtension;
extern const clap_plugin_latency_t kLatencyExtension;
extern const clap_plugin_gui_t kGuiExtension;
extern const clap_plugin_timer_support_t kTimerExtension;
