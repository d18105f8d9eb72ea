# The one place the two platforms differ in the build: the Windows build links
# the real system libraries, the native build links our Win32 stand-in.
# Everything else links `platform` and includes <windows.h> the same way.
set(KELMOR_COMPILE_OPTIONS -Wall -Wextra -Wno-unused-parameter)

if(WIN32)
  add_library(platform INTERFACE)
  target_link_libraries(platform INTERFACE user32 kernel32 advapi32 ole32 uuid)
  # msvcrt's formatting (with C99 truncation rules from MinGW's small
  # wrapper) instead of MinGW's own, which would double the executable.
  target_compile_definitions(platform INTERFACE WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0501 __USE_MINGW_ANSI_STDIO=0)
  target_include_directories(platform INTERFACE ${PROJECT_SOURCE_DIR})
else()
  if(KELMOR_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  elseif(KELMOR_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
  add_subdirectory(hostwin)
  add_library(platform INTERFACE)
  target_link_libraries(platform INTERFACE hostwin)
  target_include_directories(platform INTERFACE ${PROJECT_SOURCE_DIR})
endif()

# The product is plain code: no exceptions, no RTTI.
set(KELMOR_PRODUCT_OPTIONS ${KELMOR_COMPILE_OPTIONS} -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -ffunction-sections -fdata-sections)
