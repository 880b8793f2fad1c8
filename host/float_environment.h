// The floating-point state the plug-in computes in. Hosts set flush-to-zero, denormals-are-zero,
// another rounding mode or unmasked exceptions on their threads; every entry runs in the
// default state instead, so each bit comes out as on a thread that set nothing, and gives the
// caller's state back exactly, status flags included, when it returns.
#pragma once

#include <xmmintrin.h>

#include <cstdint>
#if defined(__i386__)
#include <cfenv>
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

// What every entry but the two processing ones runs in. On i686 the C library's sine (the
// shaper table), logarithm and powers (the value texts) run on the x87 unit, whose precision and
// rounding controls change their results, so that unit is put in its default state too. The
// signal path uses no x87 instruction on any target, so processing pays only for the vector unit.
class FloatingPointDefaults {
 public:
  FloatingPointDefaults() {
#if defined(__i386__)
    std::fegetenv(&caller_);
    std::fesetenv(FE_DFL_ENV);
#endif
  }
  ~FloatingPointDefaults() {
#if defined(__i386__)
    std::fesetenv(&caller_);
#endif
  }
  FloatingPointDefaults(const FloatingPointDefaults&) = delete;
  FloatingPointDefaults& operator=(const FloatingPointDefaults&) = delete;

 private:
  // Constructed first and destroyed last: the caller's register is taken before the x87 work
  // and is what stays when the entry returns.
  VectorUnitDefaults vectorUnit_;
#if defined(__i386__)
  std::fenv_t caller_;
#endif
};
