// The dialog's icons as pixels: the first image of a .ico file (a palette of up to 256 colours
// or 32-bit colour, with its transparency mask), decoded into premultiplied ARGB rows, the
// layout cairo's ARGB32 surfaces use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct IconImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;  // top row first, width x height
};

// False, with image untouched, when the bytes are no icon this decoder reads or are cut short.
bool decodeIcon(const unsigned char* bytes, size_t size, IconImage& image);

// The icons of resources/icons, built into the library; nullptr for an unknown identifier.
struct IconFile {
  int32_t iconId;
  const unsigned char* bytes;
  size_t size;
};
const IconFile* iconFile(int32_t iconId);
