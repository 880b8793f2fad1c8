#include "vst2/editor_base.h"

EditorBase::EditorBase(EffectBase* owner) : effect(owner) {}

EditorBase::~EditorBase() = default;

intptr_t EditorBase::getRect(ERect** rect) {
  *rect = nullptr;
  return 0;
}

intptr_t EditorBase::open(void* parent) {
  parentWindow = parent;
  return 0;
}

void EditorBase::close() {}

// The flag is cleared before the refresh reads the parameters, so a change that arrives
// during the refresh raises it again and is shown on the next idle.
void EditorBase::idle() {
  if (updatePending.exchange(0, std::memory_order_acquire) != 0) update();
}

void EditorBase::update() {}

void EditorBase::postUpdate() { updatePending.store(1, std::memory_order_release); }
