#include "vst2/overdrive_plugin.h"

#ifdef VORRA_HAVE_EDITOR
#include <new>

#include "vst2/overdrive_editor.h"
#endif

OverdrivePlugin::OverdrivePlugin(audioMasterCallback hostCallback) : OverdriveEffect(hostCallback) {
  setUniqueID(fourCharConstant("ZRVQ"));
#ifdef VORRA_HAVE_EDITOR
  // Registers itself as `editor`; without memory the plug-in works without one.
  new (std::nothrow) OverdriveEditor(this);
#endif
}

// The engine releases its bank and table, then EffectBase deletes the editor.
OverdrivePlugin::~OverdrivePlugin() = default;
