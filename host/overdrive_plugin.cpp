#include "host/overdrive_plugin.h"

#ifdef _WIN32
#include <new>

#include "editor/overdrive_editor.h"
#endif

OverdrivePlugin::OverdrivePlugin(audioMasterCallback hostCallback) : OverdriveEffect(hostCallback) {
  setUniqueID(fourCharConstant("ZRVQ"));
#ifdef _WIN32
  // Registers itself as `editor`; without memory the plug-in works without one.
  new (std::nothrow) OverdriveEditor(this);
#endif
}

// The engine releases its bank and table, then EffectBase deletes the editor.
OverdrivePlugin::~OverdrivePlugin() = default;
