# cmake -DOBJDUMP=... -DEXE=... -P imports.cmake: fails unless every library
# EXE imports is one of the few known DLLs of the system that the installer
# has a use for, which the loader takes from the system folder whatever lies
# beside the program. The C and C++ runtimes are linked in, so no runtime DLL
# may appear; the shell library is loaded at run time, from the system folder.
cmake_minimum_required(VERSION 3.25)
set(allowed advapi32.dll kernel32.dll msvcrt.dll ole32.dll user32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${headers}")
if(NOT lines)
  message(FATAL_ERROR "no imports found in ${EXE}: not the expected objdump output")
endif()
set(foreign "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" name)
  message(STATUS "imports ${dll}")
  if(NOT name IN_LIST allowed)
    list(APPEND foreign ${dll})
  endif()
endforeach()
if(foreign)
  message(FATAL_ERROR "${EXE} imports ${foreign}, beyond the system's known DLLs it may import (${allowed})")
endif()
