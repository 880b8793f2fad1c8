// The CLAP window on Windows: the dialog view in the host's HWND, refreshed by its own timer.
#include "clap/clap_editor.h"
#include "editor/dialog_layout.h"

const char* const ClapEditor::kApi = CLAP_WINDOW_API_WIN32;

ClapEditor::~ClapEditor() { view.close(); }

bool ClapEditor::setScale(double) { return false; }

// Before the first open, the size the template gives with the dialog font at 96 dots per inch.
void ClapEditor::size(uint32_t& width, uint32_t& height) const {
  const SIZE opened = view.templateSize();
  width = static_cast<uint32_t>(opened.cx > 0 ? opened.cx : dialogPixelWidth(1.0));
  height = static_cast<uint32_t>(opened.cy > 0 ? opened.cy : dialogPixelHeight(1.0));
}

bool ClapEditor::open(const clap_window_t& window) {
  uint32_t width, height;
  size(width, height);
  if (!view.open(static_cast<HWND>(window.win32))) return false;
  // The controls show the values at once rather than at the first timer tick.
  view.refresh();
  const SIZE opened = view.templateSize();
  if (owner.hostGui &&
      (static_cast<LONG>(width) != opened.cx || static_cast<LONG>(height) != opened.cy))
    owner.hostGui->request_resize(owner.host, static_cast<uint32_t>(opened.cx),
                                  static_cast<uint32_t>(opened.cy));
  return true;
}

void ClapEditor::timer(clap_id) {}
