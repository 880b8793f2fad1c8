// One LV2 instance: the engine behind the host's port buffers and the state dictionary.
//
// Control values are taken at the start of each run, and a value reaches the engine only when
// its port's bits changed since they were last taken: what a VST2 host's setParameter between
// blocks does, without deriving the coefficients again every block.
//
// The state holds the engine's blob (engine/engine_state.cpp), which keeps every value's bits.
// Hosts also restore the control ports, and lilv writes them with 8 decimal places, which moves
// values below 0.125 by up to 7.5e-9. So the first run after a restore keeps a restored value
// whose port holds it to within 1e-8, and takes any other port value as usual: the ports stay
// the host's, and a session comes back bit for bit.
//
// Threads, as LV2 defines them: run on the audio thread; restore never concurrently with run;
// save possibly during run (it only reads the engine, which allows that).
#pragma once

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cstdint>

#include "engine/overdrive_engine.h"
#include "lv2/port_layout.h"

class Lv2Instance {
 public:
  // urid:map among the features gives the instance a state; without it (lv2apply and ecasound
  // give none) save and restore answer LV2_STATE_ERR_NO_FEATURE.
  explicit Lv2Instance(const LV2_Feature* const* features);

  bool complete() const { return engine.complete(); }

  void connectPort(uint32_t port, void* data);
  void run(uint32_t frames);

  LV2_State_Status save(LV2_State_Store_Function store, LV2_State_Handle handle) const;
  LV2_State_Status restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

 private:
  void takeControls();

  OverdriveEngine engine;
  float* audio[kAudioPortCount] = {};
  const float* controls[kParameterCount] = {};
  float* meter = nullptr;
  // The port values last taken; the engine's own values until the first run.
  float taken[kParameterCount];
  bool restored = false;  // the next run follows a restore
  LV2_URID stateKey = 0;  // 0 without urid:map
  LV2_URID chunkType = 0;
};
