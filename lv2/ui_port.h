// The LV2 UI's side of the window's parameter port. The UI holds no instance: it knows the
// values only from the host's port events, and every change the user makes goes to the host
// through the write function, bracketed with ui:touch when the host offers it, so that the host
// can stop automating the port meanwhile. Every call comes on the host's UI thread.
#pragma once

#include <lv2/ui/ui.h>

#include <cstdint>

#include "editor/parameter_port.h"
#include "engine/parameter_descriptors.h"

class UiPort : public ParameterPort {
 public:
  // `touch` may be null. Until the host tells otherwise, the values are the ports' defaults.
  // A switch goes to the host as 0 or 1 (lv2/port_layout.h).
  UiPort(LV2UI_Write_Function write, LV2UI_Controller controller, const LV2UI_Touch* touch);

  float parameterValue(int32_t index) override;
  void beginGesture(int32_t index) override;
  void setFromGesture(int32_t index, float value) override;
  void endGesture(int32_t index) override;
  bool takeChanges() override;

  // The host's port_event: a control input's new value in the float protocol (format 0);
  // anything else is not for the window.
  void portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);

 private:
  void touch(int32_t index, bool grabbed);

  LV2UI_Write_Function write;
  LV2UI_Controller controller;
  const LV2UI_Touch* touchFeature;
  float values[kParameterCount];
  bool changed = false;
};
