// What --program and --set name, resolved against the names the plug-in reports. Names match
// ignoring case and spaces, so "x100" finds "  x 100   "; a plain number is an index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ParameterSetting {
  int32_t index;
  float value;
};

// Throws std::runtime_error naming the choices when nothing matches.
int32_t resolveProgram(const std::string& choice, const std::vector<std::string>& programNames);

// `assignment` is NAME=VALUE, ID=VALUE or INDEX=VALUE, where an id is the key the format keeps
// the parameter by (`parameterIds`, empty where there is none); VALUE is the host's value, 0
// to 1.
ParameterSetting resolveSetting(const std::string& assignment,
                                const std::vector<std::string>& parameterNames,
                                const std::vector<std::string>& parameterIds = {});

// The name without its padding, as messages show it.
std::string trimmed(const std::string& text);
