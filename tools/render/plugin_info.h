// What --info prints: the record's counts and flags, every parameter with its name, display
// text and label as they stand, and the program names.
#pragma once

#include <string>
#include <vector>

#include "tools/render/host_session.h"

std::string describePlugin(const std::string& path, HostSession& session,
                           const std::vector<std::string>& programNames);
