#include "engine/shaper_table.h"

#include <cmath>

void buildShaperTable(float* table) {
  // The angle grows by repeated addition of the double nearest pi / 65536.
  const double step = 4.7936899621426287e-05;
  double angle = 0.0;
  for (int32_t i = 0; i < 32768; ++i) {
    const double s = std::sin(angle);
    table[32768 + i] = static_cast<float>(s);
    table[32767 - i] = static_cast<float>(-s);  // entry 32767 is -0.0
    angle += step;
  }
}
