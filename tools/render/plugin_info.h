// What --info prints: the plug-in's identity in its format (for VST2 the record's counts and
// flags, each bit named), every parameter with its
// name, display text and label as they stand, in columns as wide as their longest entry, and the
// program names.
#pragma once

#include <string>
#include <vector>

#include "tools/hosting/hosted_plugin.h"

std::string describePlugin(const std::string& path, HostedPlugin& plugin,
                           const std::vector<std::string>& programNames);
