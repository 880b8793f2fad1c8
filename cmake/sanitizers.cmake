# Sanitized builds: VORRA_SANITIZERS lists the sanitizers (e.g. "address,undefined") every
# target is compiled and linked with. Any report ends the program, so a finding fails its test.
set(VORRA_SANITIZERS "" CACHE STRING "sanitizers for every target, comma-separated")
if(VORRA_SANITIZERS)
  add_compile_options(-fsanitize=${VORRA_SANITIZERS} -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=${VORRA_SANITIZERS})
endif()
