// The window's side of the parameter port for CLAP. Values are read from the engine and set on
// it directly, on the main thread (the engine is lock-free); each gesture and value is also
// queued for the host, which is asked for a flush so that it hears of it even while no audio
// runs. The engine's change count is the news that a value changed, whoever changed it.
#pragma once

#include "clap/overdrive_clap.h"
#include "editor/parameter_port.h"

class ClapEditorPort : public ParameterPort {
 public:
  explicit ClapEditorPort(OverdriveClap& owner) : owner(owner) {}

  float parameterValue(int32_t index) override { return owner.engine.parameter(index); }
  void beginGesture(int32_t index) override { tell({WindowChange::gestureBegin, index, 0.0f}); }
  void setFromGesture(int32_t index, float value) override {
    owner.engine.setParameter(index, value);
    tell({WindowChange::newValue, index, value});
  }
  void endGesture(int32_t index) override { tell({WindowChange::gestureEnd, index, 0.0f}); }
  bool takeChanges() override {
    const uint32_t count = owner.engine.changeCount();
    const bool changed = count != seen;
    seen = count;
    return changed;
  }

 private:
  void tell(const WindowChange& change) {
    owner.windowChanges.push(change);
    owner.requestFlush();
  }

  OverdriveClap& owner;
  uint32_t seen = 0;
};
