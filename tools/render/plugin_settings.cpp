#include "tools/render/plugin_settings.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace {

std::string matchKey(const std::string& name) {
  std::string key;
  for (unsigned char c : name) {
    if (!std::isspace(c)) key += static_cast<char>(std::tolower(c));
  }
  return key;
}

bool isIndex(const std::string& text) {
  if (text.empty() || text.size() > 9) return false;
  for (unsigned char c : text) {
    if (!std::isdigit(c)) return false;
  }
  return true;
}

std::string listOf(const std::vector<std::string>& names) {
  std::string list;
  for (const auto& name : names) list += (list.empty() ? "" : ", ") + trimmed(name);
  return list.empty() ? "none" : list;
}

// A name first, then an id, then an index.
int32_t resolve(const std::string& choice, const std::vector<std::string>& names, const char* what,
                const std::vector<std::string>& ids = {}) {
  const std::string key = matchKey(choice);
  for (const std::vector<std::string>* keys : {&names, &ids}) {
    for (size_t i = 0; i < keys->size(); ++i) {
      if (!key.empty() && matchKey((*keys)[i]) == key) return static_cast<int32_t>(i);
    }
  }
  if (isIndex(key)) {
    const int index = std::stoi(key);
    if (index < static_cast<int>(names.size())) return index;
  }
  throw std::runtime_error(std::string("unknown ") + what + " '" + choice + "' (the plug-in has " +
                           listOf(names) + ")");
}

}  // namespace

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

int32_t resolveProgram(const std::string& choice, const std::vector<std::string>& programNames) {
  return resolve(choice, programNames, "program");
}

ParameterSetting resolveSetting(const std::string& assignment,
                                const std::vector<std::string>& parameterNames,
                                const std::vector<std::string>& parameterIds) {
  const auto equals = assignment.find('=');
  if (equals == std::string::npos) {
    throw std::runtime_error("--set '" + assignment + "' is not NAME=VALUE");
  }
  const std::string name = assignment.substr(0, equals);
  const std::string valueText = trimmed(assignment.substr(equals + 1));
  const int32_t index = resolve(name, parameterNames, "parameter", parameterIds);
  char* end = nullptr;
  errno = 0;
  const float value = std::strtof(valueText.c_str(), &end);
  if (valueText.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value)) {
    throw std::runtime_error("value '" + valueText + "' for " + trimmed(parameterNames[index]) +
                             " is not a number");
  }
  if (value < 0.0f || value > 1.0f) {
    throw std::runtime_error("value '" + valueText + "' for " + trimmed(parameterNames[index]) +
                             " is outside 0 to 1, the range of the values a host sends");
  }
  return {index, value};
}
