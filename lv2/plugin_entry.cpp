// The DSP library's one export, lv2_descriptor, and the C functions hosts call through it. No
// feature is required: hosts that give none (lv2apply, ecasound) get every function but the
// state. Nothing here throws, and a failed allocation refuses the instance.
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>

#include <cstring>
#include <new>

#include "lv2/lv2_instance.h"
#include "lv2/plugin_uris.h"

namespace {

Lv2Instance& instanceOf(LV2_Handle handle) { return *static_cast<Lv2Instance*>(handle); }

// The sample rate does not matter to the engine, nor does the bundle's path.
LV2_Handle instantiate(const LV2_Descriptor*, double, const char*,
                       const LV2_Feature* const* features) {
  auto* instance = new (std::nothrow) Lv2Instance(features);
  if (instance && !instance->complete()) {
    delete instance;
    return nullptr;
  }
  return instance;
}

void connectPort(LV2_Handle handle, uint32_t port, void* data) {
  instanceOf(handle).connectPort(port, data);
}

// Activation keeps every state, as the VST2 face's resume and suspend do.
void activate(LV2_Handle) {}
void deactivate(LV2_Handle) {}

void run(LV2_Handle handle, uint32_t frames) { instanceOf(handle).run(frames); }

void cleanup(LV2_Handle handle) { delete &instanceOf(handle); }

LV2_State_Status save(LV2_Handle handle, LV2_State_Store_Function store, LV2_State_Handle state,
                      uint32_t, const LV2_Feature* const*) {
  return instanceOf(handle).save(store, state);
}

LV2_State_Status restore(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                         LV2_State_Handle state, uint32_t, const LV2_Feature* const*) {
  return instanceOf(handle).restore(retrieve, state);
}

const LV2_State_Interface stateInterface = {save, restore};

const void* extensionData(const char* uri) {
  return std::strcmp(uri, LV2_STATE__interface) == 0 ? &stateInterface : nullptr;
}

const LV2_Descriptor descriptor = {kPluginUri, instantiate, connectPort, activate,
                                   run,        deactivate,  cleanup,     extensionData};

}  // namespace

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
  return index == 0 ? &descriptor : nullptr;
}
