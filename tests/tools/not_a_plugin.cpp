// A library a host must refuse: without NULL_ENTRY it exports no entry at all; with it, its
// `main` answers null as a plug-in that declines to start does.
#include "vst2/aeffect.h"

#ifdef NULL_ENTRY
extern "C" __attribute__((visibility("default")))
AEffect* nullEntry(audioMasterCallback) __asm__("main");
AEffect* nullEntry(audioMasterCallback) { return nullptr; }
#else
extern "C" __attribute__((visibility("default"))) int notAPlugin() { return 0; }
#endif
