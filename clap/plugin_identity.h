// What hosts store the CLAP plug-in by, shared by the plug-in and the project's own host side.
// None of it ever changes once shipped: sessions and automation refer to it.
#pragma once

#include <cstdint>

// Under the maker's web address, reversed.
constexpr char kClapPluginId[] = "example.tonquill.vorra-overdrive";

// The parameters' ids are their descriptor indices, 0 to 5. The factory programs are one more
// parameter, stepped 0 to kProgramCount - 1, with an id outside that range.
constexpr uint32_t kProgramParameterId = 100;
