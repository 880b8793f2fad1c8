// clap.gui: the plug-in's own window, embedded only, of one fixed size; and clap.timer-support,
// whose ticks idle it on Linux.
#include <cstring>
#include <new>

#include "clap/clap_editor.h"
#include "engine/float_environment.h"

namespace {

ClapEditor* editorOf(const clap_plugin_t* plugin) { return OverdriveClap::of(plugin).editor; }

bool isApiSupported(const clap_plugin_t*, const char* api, bool floating) {
  return api && !floating && !std::strcmp(api, ClapEditor::kApi);
}

bool preferredApi(const clap_plugin_t*, const char** api, bool* floating) {
  if (!api || !floating) return false;
  *api = ClapEditor::kApi;
  *floating = false;
  return true;
}

bool create(const clap_plugin_t* plugin, const char* api, bool floating) {
  OverdriveClap& self = OverdriveClap::of(plugin);
  if (self.editor || !isApiSupported(plugin, api, floating)) return false;
  self.editor = new (std::nothrow) ClapEditor(self);
  return self.editor != nullptr;
}

void destroy(const clap_plugin_t* plugin) {
  OverdriveClap& self = OverdriveClap::of(plugin);
  delete self.editor;
  self.editor = nullptr;
}

bool setScale(const clap_plugin_t* plugin, double scale) {
  ClapEditor* editor = editorOf(plugin);
  return editor && editor->setScale(scale);
}

bool size(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height) {
  ClapEditor* editor = editorOf(plugin);
  if (!editor || !width || !height) return false;
  editor->size(*width, *height);
  return true;
}

bool canResize(const clap_plugin_t*) { return false; }
bool resizeHints(const clap_plugin_t*, clap_gui_resize_hints_t*) { return false; }
// The one size there is.
bool adjustSize(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height) {
  return size(plugin, width, height);
}

bool setSize(const clap_plugin_t* plugin, uint32_t width, uint32_t height) {
  uint32_t ownWidth, ownHeight;
  return size(plugin, &ownWidth, &ownHeight) && width == ownWidth && height == ownHeight;
}

bool setParent(const clap_plugin_t* plugin, const clap_window_t* window) {
  ClapEditor* editor = editorOf(plugin);
  return editor && window && isApiSupported(plugin, window->api, false) && editor->open(*window);
}

bool setTransient(const clap_plugin_t*, const clap_window_t*) { return false; }
void suggestTitle(const clap_plugin_t*, const char*) {}
// The window lives inside the host's, which shows and hides it.
bool show(const clap_plugin_t* plugin) { return editorOf(plugin) != nullptr; }
bool hide(const clap_plugin_t* plugin) { return editorOf(plugin) != nullptr; }

void timer(const clap_plugin_t* plugin, clap_id id) {
  // The controls' values are computed as on any other entry.
  const FloatingPointDefaults defaults;
  if (ClapEditor* editor = editorOf(plugin)) editor->timer(id);
}

}  // namespace

const clap_plugin_gui_t kGuiExtension = {&isApiSupported, &preferredApi, &create,    &destroy,
                                         &setScale,       &size,         &canResize, &resizeHints,
                                         &adjustSize,     &setSize,      &setParent, &setTransient,
                                         &suggestTitle,   &show,         &hide};
const clap_plugin_timer_support_t kTimerExtension = {&timer};
