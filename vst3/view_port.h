// The window's side of the VST3 face: each gesture also goes to the host's component handler
// (beginEdit, performEdit, endEdit, on the window's thread).
#pragma once

#include <cstdint>

#include "editor/engine_port.h"
#include "vst3/interface_tables.h"
#include "vst3/overdrive_vst3.h"

class ViewPort : public EnginePort {
 public:
  explicit ViewPort(OverdriveVst3& effect) : EnginePort(effect.engine()), effect_(effect) {}

  void beginGesture(int32_t index) override {
    if (v3_component_handler** handler = effect_.componentHandler())
      tableOf<ComponentHandlerTable>(handler).handler.begin_edit(handler, idOf(index));
  }
  void endGesture(int32_t index) override {
    if (v3_component_handler** handler = effect_.componentHandler())
      tableOf<ComponentHandlerTable>(handler).handler.end_edit(handler, idOf(index));
  }

 private:
  void tellValue(int32_t index, float value) override {
    if (v3_component_handler** handler = effect_.componentHandler())
      tableOf<ComponentHandlerTable>(handler).handler.perform_edit(handler, idOf(index), value);
  }

  // The parameter ids are the descriptor indices.
  static v3_param_id idOf(int32_t index) { return static_cast<v3_param_id>(index); }

  OverdriveVst3& effect_;
};
