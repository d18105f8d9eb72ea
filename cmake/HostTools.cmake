# Build-time tools always run on the build machine, optimised and without
# sanitizers, whatever the main build targets. They are a project of their own
# (tools/), built with the host compiler through ExternalProject. The rules
# that run them use PATCHPACK_EXE, SAMPLEGEN_EXE and RESEMBED_EXE, MKICON_EXE, and list
# HOST_TOOLS_DEPENDS among their dependencies.
include(ExternalProject)

set(_tools_bin ${CMAKE_BINARY_DIR}/hosttools/bin)
set(_byproducts)
foreach(tool patchpack samplegen resembed mkicon)
  string(TOUPPER ${tool} _up)
  set(${_up}_EXE ${_tools_bin}/${tool})
  list(APPEND _byproducts ${_tools_bin}/${tool})
endforeach()

ExternalProject_Add(hosttools
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools
  BINARY_DIR ${CMAKE_BINARY_DIR}/hosttools/build
  CMAKE_GENERATOR Ninja
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
             -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
             -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${_tools_bin}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${_byproducts})
set(HOST_TOOLS_DEPENDS hosttools ${_byproducts})
