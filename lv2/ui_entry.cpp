// The UI library's one export, lv2ui_descriptor: the editor's X11 window as an LV2 X11 UI,
// opened inside the host's ui:parent and driven by the host's idle calls (ui:idleInterface),
// both of which it needs. It tells its size through ui:resize and takes the host's
// ui:scaleFactor option when the host gives one, otherwise the display's scale. It reaches the
// plug-in only through the host's write function and port events (lv2/ui_port.h).
#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/core/lv2_util.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cstring>
#include <new>

#include "editor/x11_editor_view.h"
#include "lv2/plugin_uris.h"
#include "lv2/ui_port.h"

namespace {

struct OverdriveUi {
  OverdriveUi(LV2UI_Write_Function write, LV2UI_Controller controller, const LV2UI_Touch* touch)
      : port(write, controller, touch), view(port) {}
  UiPort port;
  X11EditorView view;
};

OverdriveUi& uiOf(LV2UI_Handle handle) { return *static_cast<OverdriveUi*>(handle); }

struct HostFeatures {
  uint32_t parent = 0;
  const LV2UI_Resize* resize = nullptr;
  const LV2UI_Touch* touch = nullptr;
  const LV2_Options_Option* options = nullptr;
  const LV2_URID_Map* map = nullptr;
};

HostFeatures hostFeatures(const LV2_Feature* const* features) {
  HostFeatures host;
  host.parent = static_cast<uint32_t>(
      reinterpret_cast<uintptr_t>(lv2_features_data(features, LV2_UI__parent)));
  host.resize = static_cast<const LV2UI_Resize*>(lv2_features_data(features, LV2_UI__resize));
  host.touch = static_cast<const LV2UI_Touch*>(lv2_features_data(features, LV2_UI__touch));
  host.options =
      static_cast<const LV2_Options_Option*>(lv2_features_data(features, LV2_OPTIONS__options));
  host.map = static_cast<const LV2_URID_Map*>(lv2_features_data(features, LV2_URID__map));
  return host;
}

// The host's ui:scaleFactor, or 0 for the display's own scale.
double scaleFactor(const HostFeatures& host) {
  if (!host.options || !host.map) return 0.0;
  const LV2_URID key = host.map->map(host.map->handle, LV2_UI__scaleFactor);
  const LV2_URID floatType = host.map->map(host.map->handle, LV2_ATOM__Float);
  for (const LV2_Options_Option* option = host.options; option->key; ++option) {
    if (option->key == key && option->type == floatType && option->size == sizeof(float))
      return *static_cast<const float*>(option->value);
  }
  return 0.0;
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char*, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller controller,
                         LV2UI_Widget* widget, const LV2_Feature* const* features) {
  const HostFeatures host = hostFeatures(features);
  if (!host.parent) return nullptr;
  auto* ui = new (std::nothrow) OverdriveUi(write, controller, host.touch);
  if (!ui) return nullptr;
  if (!ui->view.open(host.parent, scaleFactor(host))) {
    delete ui;
    return nullptr;
  }
  *widget = reinterpret_cast<LV2UI_Widget>(static_cast<uintptr_t>(ui->view.windowId()));
  if (host.resize) host.resize->ui_resize(host.resize->handle, ui->view.width(), ui->view.height());
  return ui;
}

void cleanup(LV2UI_Handle handle) { delete &uiOf(handle); }

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format,
               const void* buffer) {
  uiOf(handle).port.portEvent(port, size, format, buffer);
}

// Non-zero would ask the host to close the UI; the window stays until cleanup.
int idle(LV2UI_Handle handle) {
  uiOf(handle).view.idle();
  return 0;
}

const LV2UI_Idle_Interface idleInterface = {idle};

const void* extensionData(const char* uri) {
  return std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &idleInterface : nullptr;
}

const LV2UI_Descriptor descriptor = {kUiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
  return index == 0 ? &descriptor : nullptr;
}
