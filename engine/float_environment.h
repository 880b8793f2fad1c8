// The floating-point state the plug-in computes in. Hosts set flush-to-zero, denormals-are-zero,
// another rounding mode or unmasked exceptions on their threads; every entry runs in the
// default state instead, so each bit comes out as on a thread that set nothing, and gives the
// caller's state back exactly, status flags included, when it returns.
#pragma once

#include <xmmintrin.h>

#include <cstdint>

// Where the C library's sine runs on the x87 unit: MinGW's, on both Windows targets (on i686 its
// logarithm and powers too).
#if defined(_WIN32) || defined(__i386__)
#define VORRA_X87_LIBRARY 1
#include <cfenv>
#else
#define VORRA_X87_LIBRARY 0
#endif

// The vector unit's control and status register. All of the plug-in's own float and double
// arithmetic runs there, on every target (SSE2).
class VectorUnitDefaults {
 public:
  // Only the controls change, and only when they differ: the caller's flags stay as they are.
  VectorUnitDefaults() : caller_(_mm_getcsr()) {
    if ((caller_ & kControls) != kDefaultControls)
      _mm_setcsr((caller_ & ~kControls) | kDefaultControls);
  }
  ~VectorUnitDefaults() {
    if (_mm_getcsr() != caller_) _mm_setcsr(caller_);
  }
  VectorUnitDefaults(const VectorUnitDefaults&) = delete;
  VectorUnitDefaults& operator=(const VectorUnitDefaults&) = delete;

  static constexpr uint32_t kControls = 0xFFC0;         // DAZ, exception masks, rounding, FTZ
  static constexpr uint32_t kDefaultControls = 0x1F80;  // all masked, to nearest, no flushing

 private:
  uint32_t caller_;
};

// What every entry but the two processing ones runs in. Where the library's sine (the shaper
// table) runs on the x87 unit, whose precision and rounding controls change its results and whose
// flags it raises, that unit is put in its default state too and given back with the host's
// controls and flags. The signal path uses no x87 instruction on any target, so processing pays
// only for the vector unit.
class FloatingPointDefaults {
 public:
  FloatingPointDefaults() {
#if VORRA_X87_LIBRARY
    std::fegetenv(&caller_);
    std::fesetenv(FE_DFL_ENV);
#endif
  }
  ~FloatingPointDefaults() {
#if VORRA_X87_LIBRARY
    std::fesetenv(&caller_);
#endif
  }
  FloatingPointDefaults(const FloatingPointDefaults&) = delete;
  FloatingPointDefaults& operator=(const FloatingPointDefaults&) = delete;

 private:
  // Constructed first and destroyed last: the caller's register is taken before the x87 work
  // and is what stays when the entry returns.
  VectorUnitDefaults vectorUnit_;
#if VORRA_X87_LIBRARY
  std::fenv_t caller_;
#endif
};
