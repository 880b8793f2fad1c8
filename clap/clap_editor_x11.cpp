// The CLAP window on Linux: the X11 view in the window whose XID the host passes, idled by a
// host timer at 30 Hz, the rate CLAP hosts grant at least.
#include "clap/clap_editor.h"
#include "editor/display_scale.h"

namespace {

constexpr uint32_t kTickMs = 33;

}  // namespace

const char* const ClapEditor::kApi = CLAP_WINDOW_API_X11;

ClapEditor::~ClapEditor() {
  view.close();
  if (ticking) owner.hostTimers->unregister_timer(owner.host, timerId);
}

bool ClapEditor::setScale(double scale) {
  hostScale = boundedScale(scale);
  if (!view.isOpen() || view.scale() == hostScale) return true;
  if (!view.open(parent, hostScale)) return false;
  if (owner.hostGui) {
    owner.hostGui->request_resize(owner.host, static_cast<uint32_t>(view.width()),
                                  static_cast<uint32_t>(view.height()));
  }
  return true;
}

void ClapEditor::size(uint32_t& width, uint32_t& height) const {
  int32_t w = 0, h = 0;
  view.expectedSize(hostScale, w, h);
  width = static_cast<uint32_t>(w);
  height = static_cast<uint32_t>(h);
}

bool ClapEditor::open(const clap_window_t& window) {
  uint32_t width, height;
  size(width, height);
  parent = static_cast<uint32_t>(window.x11);
  if (!view.open(parent, hostScale)) return false;
  if (!ticking && owner.hostTimers)
    ticking = owner.hostTimers->register_timer(owner.host, kTickMs, &timerId);
  // The display's own scale may differ from the environment's guess.
  if (owner.hostGui && (width != static_cast<uint32_t>(view.width()) ||
                        height != static_cast<uint32_t>(view.height()))) {
    owner.hostGui->request_resize(owner.host, static_cast<uint32_t>(view.width()),
                                  static_cast<uint32_t>(view.height()));
  }
  return true;
}

void ClapEditor::timer(clap_id id) {
  if (ticking && id == timerId) view.idle();
}
