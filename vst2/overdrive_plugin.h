// The final plug-in class that `main` creates: the overdrive engine with its identifier and,
// where the platform has one, its editor.
#pragma once

#include "vst2/overdrive_effect.h"

class OverdrivePlugin : public OverdriveEffect {
 public:
  explicit OverdrivePlugin(audioMasterCallback hostCallback);
  ~OverdrivePlugin() override;
};

// The library's entry, exported as `main` (and as `VSTPluginMain` on Linux). Answers the
// record of a new instance, or null when the host answers 0 to the version query or memory
// runs out.
extern "C" AEffect* VSTCALL pluginMain(audioMasterCallback hostCallback);
