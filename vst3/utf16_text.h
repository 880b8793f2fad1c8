// VST3 texts are UTF-16 in int16_t arrays (never wchar_t, 32 bits wide on Linux). Ours are
// bytes: each byte becomes one code unit (Latin-1), and reading back keeps the code units below
// 256 and turns the others into '?'.
#pragma once

#include <cstddef>
#include <cstdint>

// Copies text into out, cut to capacity - 1 units and terminated.
inline void toUtf16(const char* text, int16_t* out, size_t capacity) {
  size_t i = 0;
  for (; text[i] != '\0' && i + 1 < capacity; ++i) out[i] = static_cast<uint8_t>(text[i]);
  out[i] = 0;
}

// Reads at most capacity - 1 units of a terminated UTF-16 text into bytes.
inline void fromUtf16(const int16_t* text, char* out, size_t capacity) {
  size_t i = 0;
  for (; text[i] != 0 && i + 1 < capacity; ++i) {
    const auto unit = static_cast<uint16_t>(text[i]);
    out[i] = unit < 256 ? static_cast<char>(unit) : '?';
  }
  out[i] = '\0';
}
