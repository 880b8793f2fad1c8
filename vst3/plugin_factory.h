// The module's factory (IPluginFactory3, with 2 and 1 as its prefixes): it describes the one
// class (vst3/class_identity.h) and makes its instances. One static object for the module's
// life; any thread may use it, many at once. The answer carries a reference for the caller.
#pragma once

#include "travesty/factory.h"

v3_plugin_factory** pluginFactory();
