#include "host/overdrive_plugin.h"

OverdrivePlugin::OverdrivePlugin(audioMasterCallback hostCallback) : OverdriveEffect(hostCallback) {
  setUniqueID(fourCharConstant("ZRVQ"));
}

// The engine releases its bank and table, then EffectBase deletes the editor.
OverdrivePlugin::~OverdrivePlugin() = default;
