// What --info prints: the record's counts and flags (each bit named), every parameter with its
// name, display text and label as they stand, in columns as wide as their longest entry, and the
// program names.
#pragma once

#include <string>
#include <vector>

#include "tools/hosting/host_session.h"

std::string describePlugin(const std::string& path, HostSession& session,
                           const std::vector<std::string>& programNames);
