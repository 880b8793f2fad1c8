# A plug-in file a host loads: a module without the "lib" prefix in the tree's root (or in
# DIRECTORY), exporting exactly the entries its format names and nothing else: on Windows
# through a .def file (DEF), on Linux through a version script (VERSION_SCRIPT) with every other
# symbol hidden and bound inside the file. Windows files carry the dialog "METALUI" and its
# icons, and every file links its runtimes statically (cmake/compiler_flags.cmake).
function(vorra_add_plugin_module target)
  cmake_parse_arguments(ARG "" "OUTPUT_NAME;SUFFIX;DIRECTORY;DEF;VERSION_SCRIPT"
                        "SOURCES;LIBRARIES" ${ARGN})
  if(NOT ARG_DIRECTORY)
    set(ARG_DIRECTORY ${CMAKE_BINARY_DIR})
  endif()
  add_library(${target} MODULE ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME "${ARG_OUTPUT_NAME}"
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY "${ARG_DIRECTORY}"
    RUNTIME_OUTPUT_DIRECTORY "${ARG_DIRECTORY}")
  if(ARG_SUFFIX)
    set_target_properties(${target} PROPERTIES SUFFIX "${ARG_SUFFIX}")
  endif()
  if(WIN32)
    set(rc ${PROJECT_SOURCE_DIR}/resources/metalui.rc)
    set(icons ${PROJECT_SOURCE_DIR}/resources/icons)
    target_sources(${target} PRIVATE ${ARG_DEF} ${rc})
    set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES
      INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/resources
      OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/resources/metalui_ids.h;${icons}/knob.ico;${icons}/flame.ico;${icons}/bolt.ico")
  else()
    target_link_options(${target} PRIVATE
      -Wl,--version-script=${ARG_VERSION_SCRIPT} -Wl,-Bsymbolic -Wl,--no-undefined)
    set_target_properties(${target} PROPERTIES LINK_DEPENDS ${ARG_VERSION_SCRIPT})
    if(VORRA_HAVE_LINUX_EDITOR)
      # The editor's libraries (cairo, pixman, fontconfig) allocate when loaded and never release
      # it: a host that unloads and reloads the plug-in would lose that each time. Once loaded,
      # the library stays, and so do they.
      target_link_options(${target} PRIVATE -Wl,-z,nodelete)
    endif()
  endif()
endfunction()

# A format's window, where the tree has an editor: the sources every platform compiles (COMMON)
# and the platform's own (WINDOWS or LINUX), linked with the editor's views; VORRA_HAVE_EDITOR
# tells the format's code.
function(vorra_add_format_window target)
  cmake_parse_arguments(ARG "" "" "COMMON;WINDOWS;LINUX" ${ARGN})
  if(NOT VORRA_HAVE_EDITOR)
    return()
  endif()
  if(WIN32)
    target_sources(${target} PRIVATE ${ARG_COMMON} ${ARG_WINDOWS})
  else()
    target_sources(${target} PRIVATE ${ARG_COMMON} ${ARG_LINUX})
  endif()
  target_link_libraries(${target} PUBLIC vorra_editor)
  target_compile_definitions(${target} PRIVATE VORRA_HAVE_EDITOR)
endfunction()
