// The VST2 editor's window on Windows: the dialog view in the host's HWND.
#include "vst2/overdrive_editor.h"

namespace {

// Handed to the host by getRect; shared by all editors, whose dialogs are all the same size.
ERect editorRect;

ERect rectOf(SIZE size) {
  return {0, 0, static_cast<int16_t>(size.cy), static_cast<int16_t>(size.cx)};
}

}  // namespace

intptr_t OverdriveEditor::getRect(ERect** rect) {
  if (!rect) return 0;
  if (view_.isOpen()) {
    RECT client;
    GetClientRect(view_.window(), &client);
    editorRect = rectOf({client.right - client.left, client.bottom - client.top});
  } else if (view_.vanished()) {
    // A host that lost its window may ask for the size to build a new one.
    editorRect = rectOf(view_.templateSize());
  } else {
    return 0;
  }
  *rect = &editorRect;
  return 1;
}

intptr_t OverdriveEditor::open(void* parent) {
  if (!view_.isOpen()) opens.reset();
  if (opens.nests()) return 1;
  parentWindow = parent;
  if (!view_.open(static_cast<HWND>(parent))) return 0;
  opens.firstOpened();
  // The controls stay at their starting state until the first idle call or timer tick.
  postUpdate();
  return 1;
}

void OverdriveEditor::close() {
  if (opens.lastClosed()) view_.close();
}
