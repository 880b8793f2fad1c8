#include "host/overdrive_plugin.h"

#if defined(_WIN32) || defined(VORRA_X11_EDITOR)
#include <new>
#endif
#ifdef _WIN32
#include "editor/overdrive_editor.h"
#elif defined(VORRA_X11_EDITOR)
#include "editor/overdrive_editor_x11.h"
#endif

OverdrivePlugin::OverdrivePlugin(audioMasterCallback hostCallback) : OverdriveEffect(hostCallback) {
  setUniqueID(fourCharConstant("ZRVQ"));
#if defined(_WIN32) || defined(VORRA_X11_EDITOR)
  // Registers itself as `editor`; without memory the plug-in works without one.
  new (std::nothrow) OverdriveEditor(this);
#endif
}

// The engine releases its bank and table, then EffectBase deletes the editor.
OverdrivePlugin::~OverdrivePlugin() = default;
