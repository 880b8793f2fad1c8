// The VST2 editor's window on Linux: the X11 view in the window whose XID the host passes.
#include "vst2/overdrive_editor.h"

namespace {

// Handed to the host by getRect; shared by all editors.
ERect editorRect;
// The scale of the last window opened; 0 before any.
double lastScale = 0.0;

}  // namespace

intptr_t OverdriveEditor::getRect(ERect** rect) {
  if (!rect) return 0;
  int32_t width = 0, height = 0;
  view_.expectedSize(lastScale, width, height);
  editorRect.top = 0;
  editorRect.left = 0;
  editorRect.bottom = static_cast<int16_t>(height);
  editorRect.right = static_cast<int16_t>(width);
  *rect = &editorRect;
  return 1;
}

intptr_t OverdriveEditor::open(void* parent) {
  if (opens.nests()) return 1;
  // The host's window is an XID carried in the pointer.
  if (!view_.open(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parent)))) return 0;
  parentWindow = parent;
  lastScale = view_.scale();
  opens.firstOpened();
  return 1;
}

void OverdriveEditor::close() {
  if (!opens.lastClosed()) return;
  view_.close();
  opens.reset();
}
