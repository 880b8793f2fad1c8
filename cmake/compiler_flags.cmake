# Flags every target builds with. Output bits are part of the product: no contraction into
# fused multiply-adds and no fast-math on any compiler; on i686 SSE2 arithmetic instead of x87
# excess precision, and a realigned stack because 32-bit hosts call with 4-byte alignment.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_CXX_VISIBILITY_PRESET hidden)
set(CMAKE_VISIBILITY_INLINES_HIDDEN ON)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release)
endif()

add_compile_options(-Wall -Wextra -ffp-contract=off -fno-fast-math)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  add_compile_options(-msse2 -mfpmath=sse -mstackrealign)
endif()

# Windows binaries carry their C and C++ runtimes: a DLL that imports a MinGW runtime DLL does
# not load on a user's machine.
if(MINGW)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
