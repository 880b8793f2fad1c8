#include "engine/parameter_descriptors.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "engine/float_environment.h"
#include "engine/value_text.h"

const ParameterDescriptor kParameterDescriptors[kParameterCount] = {
    {"preband", "PreBand", 0.0f, 1.0f, 0.0f, "", false, ParameterDisplay::value},
    {"color", "Color", 0.0f, 1.0f, 0.5f, "", false, ParameterDisplay::value},
    {"preamp", "PreAmp", 0.0f, 1.0f, 0.0f, "", false, ParameterDisplay::value},
    {"x100", "x 100", 0.0f, 1.0f, 0.33f, "", true, ParameterDisplay::onOff},
    {"postfilter", "PostFilter", 0.0f, 1.0f, 0.0f, "", false, ParameterDisplay::value},
    {"postgain", "PostGain", 0.0f, 1.0f, 1.0f, "", false, ParameterDisplay::valueMinusOne},
};

const ParameterDescriptor* parameterAt(int32_t index) {
  return index >= 0 && index < kParameterCount ? &kParameterDescriptors[index] : nullptr;
}

int32_t parameterIndexOf(const char* symbol) {
  for (int32_t i = 0; i < kParameterCount; ++i) {
    if (std::strcmp(kParameterDescriptors[i].symbol, symbol) == 0) return i;
  }
  return -1;
}

void formatParameterValue(int32_t index, float value, char (&text)[kDisplaySize]) {
  const VectorUnitDefaults defaults;
  switch (kParameterDescriptors[index].display) {
    case ParameterDisplay::value: formatFloat(value, text); break;
    // The same 0.5 rule as the editor's check box; the engine's x100 needs more than 0.5.
    case ParameterDisplay::onOff: std::strcpy(text, value >= 0.5f ? "ON" : "OFF"); break;
    case ParameterDisplay::valueMinusOne:
      formatFloat(static_cast<float>(static_cast<double>(value) - 1.0), text);
      break;
  }
}

namespace {

// Floats as integers in the order of their values, and back.
int64_t orderOf(float value) {
  int32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits >= 0 ? bits : static_cast<int64_t>(INT32_MIN) - bits;
}
float floatAt(int64_t order) {
  const auto bits =
      static_cast<uint32_t>(order >= 0 ? order : 0x80000000u | static_cast<uint32_t>(-order));
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

double shownNumber(int32_t index, float value) {
  char shown[kDisplaySize];
  formatParameterValue(index, value, shown);
  return std::strtod(shown, nullptr);
}

// Display texts are cut, not rounded, so the float nearest the number a text spells may show a
// neighbouring last digit. The shown number never falls as the value rises, so the floats that
// show the text lie side by side: the one nearest `guess` is found by halving towards them.
float valueShowing(int32_t index, float guess, double number, const char* text) {
  constexpr int64_t kReach = int64_t{1} << 22;  // floats within about half the guess either way
  const int64_t start = orderOf(guess);
  int64_t low = std::max(start - kReach, orderOf(-FLT_MAX));
  int64_t high = std::min(start + kReach, orderOf(FLT_MAX));
  if (shownNumber(index, guess) < number) {
    low = start;  // the lowest float above that shows at least the number
    while (low < high) {
      const int64_t middle = low + (high - low) / 2;
      if (shownNumber(index, floatAt(middle)) < number)
        low = middle + 1;
      else
        high = middle;
    }
  } else {
    high = start;  // the highest float below that shows at most the number
    while (low < high) {
      const int64_t middle = high - (high - low) / 2;
      if (shownNumber(index, floatAt(middle)) > number)
        high = middle - 1;
      else
        low = middle;
    }
  }
  char shown[kDisplaySize];
  formatParameterValue(index, floatAt(low), shown);
  return std::strcmp(shown, text) == 0 ? floatAt(low) : guess;
}

bool sameIgnoringCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (std::toupper(static_cast<unsigned char>(*a)) !=
        std::toupper(static_cast<unsigned char>(*b)))
      return false;
  }
  return *a == *b;
}

}  // namespace

bool parseParameterText(int32_t index, const char* text, float& value) {
  const VectorUnitDefaults defaults;
  // The text without the blanks around it.
  while (*text == ' ') ++text;
  size_t length = std::strlen(text);
  while (length > 0 && text[length - 1] == ' ') --length;
  char spelled[32];
  if (length == 0 || length >= sizeof spelled) return false;
  std::memcpy(spelled, text, length);
  spelled[length] = '\0';

  const ParameterDisplay display = kParameterDescriptors[index].display;
  if (display == ParameterDisplay::onOff) {
    for (const auto& [word, meaning] : {std::pair{"ON", 1.0f}, std::pair{"OFF", 0.0f}}) {
      if (sameIgnoringCase(spelled, word)) {
        value = meaning;
        return true;
      }
    }
  }
  char* end = nullptr;
  const double number = std::strtod(spelled, &end);
  if (end != spelled + length || !std::isfinite(number)) return false;
  if (display == ParameterDisplay::onOff) {
    value = number >= 0.5 ? 1.0f : 0.0f;
    return true;
  }
  const double guess = display == ParameterDisplay::valueMinusOne ? number + 1.0 : number;
  value = valueShowing(index, static_cast<float>(guess), number, spelled);
  return true;
}
