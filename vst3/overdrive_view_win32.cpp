// The view on Windows: the dialog in the HWND the host passes, idling on its own timer.
#include <cstring>

#include "editor/dialog_layout.h"
#include "vst3/overdrive_view.h"

v3_result OverdriveView::isPlatformTypeSupported(const char* type) {
  return type && std::strcmp(type, V3_VIEW_PLATFORM_TYPE_HWND) == 0 ? V3_TRUE : V3_FALSE;
}

v3_result OverdriveView::attached(void* parent, const char* type) {
  if (!parent || isPlatformTypeSupported(type) != V3_TRUE || window_.isOpen()) return V3_FALSE;
  if (!window_.open(static_cast<HWND>(parent))) return V3_FALSE;
  // The controls show the values now rather than at the first tick.
  window_.refresh();
  fitFrame();
  return V3_OK;
}

v3_result OverdriveView::removed() {
  window_.close();
  return V3_OK;
}

// The dialog's size comes from its template and font; before the first dialog exists, the size
// those give under the usual font.
void OverdriveView::windowSize(int32_t& width, int32_t& height) const {
  SIZE size{dialogPixelWidth(1.0), dialogPixelHeight(1.0)};
  if (window_.isOpen()) {
    RECT client;
    GetClientRect(window_.window(), &client);
    size = {client.right - client.left, client.bottom - client.top};
  } else if (window_.templateSize().cx > 0) {
    size = window_.templateSize();
  }
  width = size.cx;
  height = size.cy;
}
