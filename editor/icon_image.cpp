#include "editor/icon_image.h"

#include <utility>

namespace {

uint32_t readLe(const unsigned char* p, int bytes) {
  uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

}  // namespace

bool decodeIcon(const unsigned char* bytes, size_t size, IconImage& image) {
  // Directory: reserved 0, type 1, count; then 16-byte entries.
  if (size < 22 || readLe(bytes, 2) != 0 || readLe(bytes + 2, 2) != 1 || readLe(bytes + 4, 2) < 1)
    return false;
  const size_t length = readLe(bytes + 6 + 8, 4);
  const size_t offset = readLe(bytes + 6 + 12, 4);
  if (offset > size || length > size - offset || length < 40) return false;
  const unsigned char* dib = bytes + offset;
  const uint32_t headerSize = readLe(dib, 4);
  const auto width = static_cast<int32_t>(readLe(dib + 4, 4));
  const auto height = static_cast<int32_t>(readLe(dib + 8, 4)) / 2;  // colour rows, then the mask
  const uint32_t bitCount = readLe(dib + 14, 2);
  const uint32_t compression = readLe(dib + 16, 4);
  if (headerSize < 40 || headerSize > length || width <= 0 || width > 256 || height <= 0 ||
      height > 256 || compression != 0 ||
      (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 32))
    return false;
  uint32_t colours = bitCount <= 8 ? readLe(dib + 32, 4) : 0;
  if (bitCount <= 8 && (colours == 0 || colours > (1u << bitCount))) colours = 1u << bitCount;
  const size_t stride = (static_cast<size_t>(width) * bitCount + 31) / 32 * 4;
  const size_t maskStride = (static_cast<size_t>(width) + 31) / 32 * 4;
  const size_t palette = headerSize;
  const size_t colourRows = palette + colours * 4;
  const size_t maskRows = colourRows + stride * height;
  if (maskRows + maskStride * height > length) return false;

  IconImage decoded;
  decoded.width = width;
  decoded.height = height;
  decoded.pixels.resize(static_cast<size_t>(width) * height);
  for (int32_t row = 0; row < height; ++row) {
    // Rows are stored bottom-up.
    const unsigned char* colour = dib + colourRows + stride * (height - 1 - row);
    const unsigned char* mask = dib + maskRows + maskStride * (height - 1 - row);
    for (int32_t x = 0; x < width; ++x) {
      uint32_t argb;
      if (bitCount == 32) {
        argb = readLe(colour + 4 * x, 4);
      } else {
        const uint32_t bit = static_cast<uint32_t>(x) * bitCount;
        const uint32_t index =
            (colour[bit / 8] >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
        argb = index < colours ? 0xFF000000u | readLe(dib + palette + 4 * index, 3) : 0xFF000000u;
      }
      const bool transparent = (mask[x / 8] >> (7 - x % 8)) & 1;
      if (transparent) argb = 0;
      if (bitCount == 32 && !transparent) {
        // Premultiply by the stored alpha.
        const uint32_t alpha = argb >> 24;
        const auto scale = [alpha](uint32_t c) { return (c * alpha + 127) / 255; };
        argb = (alpha << 24) | (scale((argb >> 16) & 0xFF) << 16) |
               (scale((argb >> 8) & 0xFF) << 8) | scale(argb & 0xFF);
      }
      decoded.pixels[static_cast<size_t>(row) * width + x] = argb;
    }
  }
  image = std::move(decoded);
  return true;
}
