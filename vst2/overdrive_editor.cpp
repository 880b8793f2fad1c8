#include "vst2/overdrive_editor.h"

#include "vst2/aeffect.h"
#include "vst2/effect_base.h"

OverdriveEditor::OverdriveEditor(EffectBase* owner) : EditorBase(owner) {
  effect->editor = this;
  effect->effectRecord.flags |= effFlagsHasEditor;
}

OverdriveEditor::~OverdriveEditor() = default;

void OverdriveEditor::idle() { view_.idle(); }

void OverdriveEditor::update() { view_.refresh(); }
