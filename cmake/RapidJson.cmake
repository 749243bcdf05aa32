# rapidjson_headers: RapidJSON (Debian rapidjson-dev, header-only), the JSON
# library of both programs: Snaplet's native messages and manifests,
# Foldmint's one pass over a Bookmarks file. Its headers are reached through
# a folder of their own, so that the mingw build does not search the host's
# /usr/include.
set(QC_RAPIDJSON_HEADERS /usr/include/rapidjson)
if(NOT EXISTS ${QC_RAPIDJSON_HEADERS}/reader.h)
  message(FATAL_ERROR "rapidjson/reader.h is missing: sh tools/setup.sh installs rapidjson-dev")
endif()
set(QC_RAPIDJSON_INCLUDE_DIR ${CMAKE_BINARY_DIR}/rapidjson-include)
file(MAKE_DIRECTORY ${QC_RAPIDJSON_INCLUDE_DIR})
file(CREATE_LINK ${QC_RAPIDJSON_HEADERS} ${QC_RAPIDJSON_INCLUDE_DIR}/rapidjson SYMBOLIC)
add_library(rapidjson_headers INTERFACE)
target_include_directories(rapidjson_headers SYSTEM INTERFACE ${QC_RAPIDJSON_INCLUDE_DIR})
# RapidJSON 1.1.0's internal stack adds to its null pointer before its
# first allocation (stack.h, Reserve; mended upstream since), which clang's
# sanitizer reports on every parse and write. That one check is left out
# where RapidJSON is compiled in.
target_compile_options(rapidjson_headers INTERFACE
                       $<$<CXX_COMPILER_ID:Clang>:-fno-sanitize=pointer-overflow>)
