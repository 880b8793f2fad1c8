// The parameter port of a format that holds the engine in the window's own module (CLAP, VST3):
// values are read from the engine and set on it directly (it is lock-free), so the sound and a
// state saved at once follow a gesture whatever the host does with it; the engine's change count
// is the news that a value changed, whoever changed it. What the host hears of each gesture is
// the format's.
#pragma once

#include <cstdint>

#include "editor/parameter_port.h"
#include "engine/overdrive_engine.h"

class EnginePort : public ParameterPort {
 public:
  explicit EnginePort(OverdriveEngine& engine) : engine_(engine), seen_(engine.changeCount()) {}

  float parameterValue(int32_t index) override { return engine_.parameter(index); }
  void setFromGesture(int32_t index, float value) override {
    engine_.setParameter(index, value);
    tellValue(index, value);
  }
  bool takeChanges() override {
    const uint32_t now = engine_.changeCount();
    const bool news = now != seen_;
    seen_ = now;
    return news;
  }

 protected:
  // Tells the host of a value the window set.
  virtual void tellValue(int32_t index, float value) = 0;

 private:
  OverdriveEngine& engine_;
  uint32_t seen_;
};
