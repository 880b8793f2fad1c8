// The window's side of the parameter port for CLAP: each gesture and value is also queued for
// the host, which is asked for a flush so that it hears of it even while no audio runs.
#pragma once

#include "clap/overdrive_clap.h"
#include "editor/engine_port.h"

class ClapEditorPort : public EnginePort {
 public:
  explicit ClapEditorPort(OverdriveClap& owner) : EnginePort(owner.engine), owner(owner) {}

  void beginGesture(int32_t index) override { tell({WindowChange::gestureBegin, index, 0.0f}); }
  void endGesture(int32_t index) override { tell({WindowChange::gestureEnd, index, 0.0f}); }

 private:
  void tellValue(int32_t index, float value) override {
    tell({WindowChange::newValue, index, value});
  }
  void tell(const WindowChange& change) {
    owner.windowChanges.push(change);
    owner.requestFlush();
  }

  OverdriveClap& owner;
};
