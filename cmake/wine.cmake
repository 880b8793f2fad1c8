# Windows test executables run under Wine as CMake's cross-compiling emulator, through the
# loader of their own bitness: Debian's `wine` script picks the 32-bit loader whenever 32-bit
# Wine is installed, which fails for every program where the kernel runs no 32-bit programs.
set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_program(WINE_LOADER NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
  find_program(WINE_LOADER NAMES wine64)
else()
  find_program(WINE_LOADER NAMES wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
endif()
get_filename_component(wine_dir "${WINE_LOADER}" DIRECTORY)
find_program(WINE_SERVER NAMES wineserver64 wineserver32 wineserver PATHS ${wine_dir} /usr/lib/wine
             NO_DEFAULT_PATH)
find_program(WINE_SERVER NAMES wineserver)

# Whether this tree's tests can run here, found out by running the loader once per configure.
# VORRA_NO_32BIT=1 takes the path of a machine that runs no 32-bit programs.
set(VORRA_TEST_SKIP_REASON "")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  if(NOT "$ENV{VORRA_NO_32BIT}" STREQUAL "")
    set(VORRA_TEST_SKIP_REASON "win32 tests skipped: VORRA_NO_32BIT is set")
  else()
    set(loader_status 1)
    if(WINE_LOADER)
      execute_process(COMMAND ${WINE_LOADER} --version RESULT_VARIABLE loader_status
                      OUTPUT_QUIET ERROR_QUIET)
    endif()
    # Where the installer found that 32-bit Wine cannot be installed, it left apt's reason in
    # build/ (scripts/install-deps.sh). Test commands echo the reason in single quotes.
    set(installer_reason_file ${CMAKE_SOURCE_DIR}/build/wine32-left-out.txt)
    if(NOT loader_status EQUAL 0)
      if(EXISTS ${installer_reason_file})
        file(READ ${installer_reason_file} why)
        string(REGEX MATCH "^[^\n]*" why "${why}")
        string(REPLACE "'" "" why "${why}")
      else()
        execute_process(COMMAND /lib/ld-linux.so.2 --version RESULT_VARIABLE libc_status
                        OUTPUT_QUIET ERROR_QUIET)
        if(libc_status EQUAL 0)
          set(why "32-bit Wine (wine32:i386) is not installed")
        else()
          set(why "this machine cannot run 32-bit programs")
        endif()
      endif()
      set(VORRA_TEST_SKIP_REASON "win32 tests skipped: ${why}")
    endif()
  endif()
elseif(NOT WINE_LOADER)
  set(VORRA_TEST_SKIP_REASON "win64 tests skipped: 64-bit Wine (wine64) is not installed")
endif()
if(VORRA_TEST_SKIP_REASON)
  message(STATUS "${VORRA_TEST_SKIP_REASON}")
  file(WRITE ${CMAKE_BINARY_DIR}/tests-skipped.txt "${VORRA_TEST_SKIP_REASON}\n")
else()
  file(REMOVE ${CMAKE_BINARY_DIR}/tests-skipped.txt)
endif()

configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
               GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
