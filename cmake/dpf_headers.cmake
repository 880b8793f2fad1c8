# The CLAP headers and the VST3 C declarations ("travesty") as Debian's dpf-source package installs
# them, used where they lie and never copied. Where the package is missing, the formats that need
# them are left out and CMake says so.
find_path(VORRA_CLAP_INCLUDE_DIR clap/entry.h PATHS /usr/share/dpf/distrho/src
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_path(VORRA_TRAVESTY_INCLUDE_DIR travesty/base.h PATHS /usr/share/dpf/distrho/src
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
