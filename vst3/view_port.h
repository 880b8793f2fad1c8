// The window's side of the VST3 face. Values come from the engine. Each gesture goes to the
// host's component handler (beginEdit, performEdit, endEdit, on the window's thread) and, for the
// values, straight into the engine, so that the sound and a state saved at once follow it
// whatever the host does with the edit. Any change, whoever made it, moves the engine's change
// count, which the window takes as news.
#pragma once

#include <cstdint>

#include "editor/parameter_port.h"
#include "vst3/interface_tables.h"
#include "vst3/overdrive_vst3.h"

class ViewPort : public ParameterPort {
 public:
  explicit ViewPort(OverdriveVst3& effect)
      : effect_(effect), seen_(effect.engine().changeCount()) {}

  float parameterValue(int32_t index) override { return effect_.engine().parameter(index); }

  void beginGesture(int32_t index) override {
    if (v3_component_handler** handler = effect_.componentHandler())
      tableOf<ComponentHandlerTable>(handler).handler.begin_edit(handler, idOf(index));
  }
  void setFromGesture(int32_t index, float value) override {
    effect_.engine().setParameter(index, value);
    if (v3_component_handler** handler = effect_.componentHandler())
      tableOf<ComponentHandlerTable>(handler).handler.perform_edit(handler, idOf(index), value);
  }
  void endGesture(int32_t index) override {
    if (v3_component_handler** handler = effect_.componentHandler())
      tableOf<ComponentHandlerTable>(handler).handler.end_edit(handler, idOf(index));
  }

  bool takeChanges() override {
    const uint32_t now = effect_.engine().changeCount();
    const bool news = now != seen_;
    seen_ = now;
    return news;
  }

 private:
  // The parameter ids are the descriptor indices.
  static v3_param_id idOf(int32_t index) { return static_cast<v3_param_id>(index); }

  OverdriveVst3& effect_;
  uint32_t seen_;
};
