# Row 13 of the sample payload, the online service's installer, is a small
# Windows program of ours (samples/arcade_install). It is cross-compiled with
# MinGW from both presets and handed to cmake/Payload.cmake as that row's
# file, so the native and the Windows build pack the same record. Include
# this before cmake/Payload.cmake.
include(ExternalProject)

set(ARCADE_INSTALL_EXE ${CMAKE_BINARY_DIR}/arcade_install/bin/ArcadeInstallKELMOR101b.EXE)
ExternalProject_Add(arcade_install
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/samples/arcade_install
  BINARY_DIR ${CMAKE_BINARY_DIR}/arcade_install/build
  CMAKE_GENERATOR Ninja
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-i686.cmake
             -DCMAKE_BUILD_TYPE=MinSizeRel
             -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${CMAKE_BINARY_DIR}/arcade_install/bin
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${ARCADE_INSTALL_EXE})

# Resource 123 is manifest row 13.
set(KELMOR_PAYLOAD_OVERRIDE_123 ${ARCADE_INSTALL_EXE})
set(KELMOR_PAYLOAD_OVERRIDE_123_DEPENDS arcade_install)
