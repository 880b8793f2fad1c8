// Number-to-text conversions for the host's fixed-width parameter displays. Pure functions:
// each writes a zero-terminated text of at most 8 characters into a buffer of at least 9 bytes.
#pragma once

#include <cstdint>

inline constexpr char kHugeText[] = " Huge!  ";
inline constexpr char kMinusInfinityText[] = "  -oo   ";
// Our choice for a value that is not a number, in the style of the two fixed texts.
inline constexpr char kNotANumberText[] = "  NaN   ";

// The exact digits of `value`: integer part, point, and as many truncated fraction digits as fit
// in 8 characters; " Huge!  " above 99,999,999 or below -9,999,999.
void formatFloat(float value, char* text);

// `value` right-aligned in 7 characters; " Huge!  " from 100,000,000 on and from -10,000,000
// down, where the number would not fit in 8.
void formatLong(int32_t value, char* text);
