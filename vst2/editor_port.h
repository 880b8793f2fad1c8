// The VST2 editor's side of the window's parameter port: values come from the effect, every
// change the user makes goes to it as setParameterAutomated (so the host records automation),
// and the editor's update flag is the news that a value changed.
#pragma once

#include <atomic>

#include "editor/parameter_port.h"
#include "vst2/editor_base.h"
#include "vst2/effect_base.h"

class EditorPort : public ParameterPort {
 public:
  explicit EditorPort(EditorBase& owner) : editor(owner) {}

  float parameterValue(int32_t index) override { return editor.effect->getParameter(index); }
  // The first version of the interface knows no gestures: each value is automation on its own.
  void beginGesture(int32_t) override {}
  void setFromGesture(int32_t index, float value) override {
    editor.effect->setParameterAutomated(index, value);
  }
  void endGesture(int32_t) override {}
  // One exchange, with the acquire the flag's release pairs with.
  bool takeChanges() override {
    return editor.updatePending.exchange(0, std::memory_order_acquire) != 0;
  }

 private:
  EditorBase& editor;
};
