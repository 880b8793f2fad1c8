// Every entry of the plug-in computes in the default floating-point state, whatever the host set
// on its thread, and hands the host's state back on return (engine/float_environment.h).
// Processing uses the vector unit alone; the other entries may also build the shaper table,
// whose sine runs on the x87 unit where the C library puts it there.
#pragma once

#include "engine/float_environment.h"
#include "vst3/com_face.h"

template <auto method>
using PluginEntry = Entry<method, FloatingPointDefaults>;

template <auto method>
using ProcessEntry = Entry<method, VectorUnitDefaults>;
