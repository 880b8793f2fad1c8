#include "lv2/ui_port.h"

#include <cstring>

#include "lv2/port_layout.h"

UiPort::UiPort(LV2UI_Write_Function writeFunction, LV2UI_Controller hostController,
               const LV2UI_Touch* touch)
    : write(writeFunction), controller(hostController), touchFeature(touch) {
  for (int32_t i = 0; i < kParameterCount; ++i)
    values[i] = portValueOf(i, kParameterDescriptors[i].defaultValue);
}

float UiPort::parameterValue(int32_t index) { return parameterAt(index) ? values[index] : 0.0f; }

void UiPort::touch(int32_t index, bool grabbed) {
  if (touchFeature && parameterAt(index))
    touchFeature->touch(touchFeature->handle, portOfParameter(index), grabbed);
}

void UiPort::beginGesture(int32_t index) { touch(index, true); }
void UiPort::endGesture(int32_t index) { touch(index, false); }

void UiPort::setFromGesture(int32_t index, float value) {
  if (!parameterAt(index)) return;
  values[index] = portValueOf(index, value);
  write(controller, portOfParameter(index), sizeof(float), 0, &values[index]);
}

bool UiPort::takeChanges() {
  const bool news = changed;
  changed = false;
  return news;
}

void UiPort::portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
  const int32_t index = parameterOfPort(port);
  if (index < 0 || format != 0 || size != sizeof(float) || !buffer) return;
  std::memcpy(&values[index], buffer, sizeof(float));
  changed = true;
}
