# Reads the plug-in file's import table with objdump: every DLL it names must be one that
# Windows itself provides (a MinGW runtime DLL would not be on a user's machine), and the
# editor's sliders need InitCommonControlsEx from comctl32.
# cmake -DOBJDUMP=<objdump> -DPLUGIN=<dll> -P plugin_imports.cmake
cmake_minimum_required(VERSION 3.25)
set(system_dlls advapi32.dll comctl32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll)

execute_process(COMMAND "${OBJDUMP}" -p "${PLUGIN}" OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump could not read ${PLUGIN}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
if(NOT names)
  message(FATAL_ERROR "no import table found in ${PLUGIN}")
endif()
foreach(line IN LISTS names)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST system_dlls)
    message(SEND_ERROR "imports ${dll}, which is not a Windows system DLL")
  endif()
endforeach()

# A DLL's block of imported names ends at the first empty line.
string(REGEX MATCH "DLL Name: [Cc][Oo][Mm][Cc][Tt][Ll]32\\.[Dd][Ll][Ll]\n([^\n]+\n)+" comctl32 "${dump}")
if(NOT comctl32 MATCHES "[ \t]InitCommonControlsEx\n")
  message(SEND_ERROR "does not import InitCommonControlsEx from comctl32.dll")
endif()
