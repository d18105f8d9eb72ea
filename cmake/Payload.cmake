# The payload records: the 35 patch files, generated (or taken from a folder
# of real patch files) and packed at build time into
# ${PAYLOAD_RECORD_DIR}/<ResourceId>.rec, one rule per record so that they
# pack in parallel. resources/payload.rc embeds them.
#
# A single row's file can be replaced by a file the build makes: set
# KELMOR_PAYLOAD_OVERRIDE_<ResourceId> to its path (and, optionally,
# KELMOR_PAYLOAD_OVERRIDE_<ResourceId>_DEPENDS to the targets making it)
# before this file is included. The row keeps its stored time.
set(KELMOR_PAYLOAD_DIR "" CACHE PATH
    "Folder of the real patch files, named as in the string table; empty packs the generated sample payload")

set(PAYLOAD_TABLE ${PROJECT_SOURCE_DIR}/resources/payload.tsv)
set(PAYLOAD_TEXT_DIR ${PROJECT_SOURCE_DIR}/tools/samplegen/text)
set(PAYLOAD_FILE_DIR ${CMAKE_BINARY_DIR}/payload/files)
set(PAYLOAD_RECORD_DIR ${CMAKE_BINARY_DIR}/payload/records)
# For the tests: resource id, the file a record was packed from, and whether
# the stored time comes from the table.
set(PAYLOAD_SOURCES_LIST ${CMAKE_BINARY_DIR}/payload/sources.tsv)
file(MAKE_DIRECTORY ${PAYLOAD_FILE_DIR} ${PAYLOAD_RECORD_DIR})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PAYLOAD_TABLE})

file(STRINGS ${PAYLOAD_TABLE} _payload_rows REGEX "^[0-9]")
set(PAYLOAD_RECORD_FILES)
set(_payload_sources "")
foreach(_line IN LISTS _payload_rows)
  string(REPLACE "\t" ";" _fields "${_line}")
  list(GET _fields 0 _row)
  list(GET _fields 1 _id)
  list(GET _fields 2 _name)
  list(GET _fields 4 _kind)
  list(GET _fields 5 _time)
  set(_record ${PAYLOAD_RECORD_DIR}/${_id}.rec)
  set(_time_args --time ${_time})
  set(_deps)
  if(KELMOR_PAYLOAD_DIR)
    # Real files keep their own modification times.
    set(_source ${KELMOR_PAYLOAD_DIR}/${_name})
    set(_time_args)
    set(_time_from_table 0)
  elseif(DEFINED KELMOR_PAYLOAD_OVERRIDE_${_id})
    set(_source ${KELMOR_PAYLOAD_OVERRIDE_${_id}})
    set(_deps ${KELMOR_PAYLOAD_OVERRIDE_${_id}_DEPENDS})
    set(_time_from_table 1)
  else()
    set(_source ${PAYLOAD_FILE_DIR}/${_name})
    set(_time_from_table 1)
    set(_text_deps)
    if(_kind MATCHES "^text")
      set(_text_deps ${PAYLOAD_TEXT_DIR}/${_name})
    endif()
    add_custom_command(
      OUTPUT ${_source}
      COMMAND ${SAMPLEGEN_EXE} ${PAYLOAD_TABLE} ${PAYLOAD_TEXT_DIR} ${_row} ${_source}
      DEPENDS ${PAYLOAD_TABLE} ${_text_deps} ${HOST_TOOLS_DEPENDS}
      COMMENT "Generating sample payload file ${_name}"
      VERBATIM)
  endif()
  add_custom_command(
    OUTPUT ${_record}
    COMMAND ${PATCHPACK_EXE} pack ${_source} ${_record} ${_time_args}
    DEPENDS ${_source} ${_deps} ${HOST_TOOLS_DEPENDS}
    COMMENT "Packing payload record ${_id} (${_name})"
    VERBATIM)
  list(APPEND PAYLOAD_RECORD_FILES ${_record})
  string(APPEND _payload_sources "${_id}\t${_source}\t${_time_from_table}\t${_time}\n")
endforeach()
file(GENERATE OUTPUT ${PAYLOAD_SOURCES_LIST} CONTENT "${_payload_sources}")

add_custom_target(payload_records DEPENDS ${PAYLOAD_RECORD_FILES})

# Libraries the payload tests and benchmarks share, defined once by whichever
# of them comes first: the plain ring decoder and the brute-force optimum the
# real decoder and packer are measured against, and the packer's portable
# parts built with this build's flags.
function(kelmor_payload_support_libraries)
  if(TARGET ring_reference)
    return()
  endif()
  add_library(ring_reference STATIC
    ${PROJECT_SOURCE_DIR}/tests/support/ring_reference.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/lzss_optimum.cpp)
  target_link_libraries(ring_reference PUBLIC lzss)
  target_include_directories(ring_reference PUBLIC ${PROJECT_SOURCE_DIR}/tests/support)
  target_compile_options(ring_reference PRIVATE ${KELMOR_COMPILE_OPTIONS})

  set(tool ${PROJECT_SOURCE_DIR}/tools/patchpack)
  add_library(patchpack_testable STATIC
    ${tool}/crc32.cpp ${tool}/filetime.cpp ${tool}/lzss_encode.cpp
    ${tool}/pe_resources.cpp ${tool}/record_file.cpp)
  target_link_libraries(patchpack_testable PUBLIC lzss)
  target_compile_options(patchpack_testable PRIVATE ${KELMOR_COMPILE_OPTIONS})
endfunction()
