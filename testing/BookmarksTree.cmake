# bookmarks_tree: a Bookmarks file as a whole JSON tree (nlohmann's reader,
# the browser's pretty printer, its checksum), what the store's tests and
# fuzz target check the store's one pass against.
set(QC_JSON_HEADERS /usr/include/nlohmann)
if(NOT EXISTS ${QC_JSON_HEADERS}/json.hpp)
  message(FATAL_ERROR "nlohmann/json.hpp is missing: sh tools/setup.sh installs nlohmann-json3-dev")
endif()
# A directory that holds the JSON library alone, so that the cross compiler
# is never shown the host's other headers.
set(QC_JSON_INCLUDE_DIR ${CMAKE_CURRENT_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${QC_JSON_INCLUDE_DIR})
file(CREATE_LINK ${QC_JSON_HEADERS} ${QC_JSON_INCLUDE_DIR}/nlohmann SYMBOLIC)

add_library(bookmarks_tree STATIC ${CMAKE_CURRENT_LIST_DIR}/BookmarksTree.cpp)
target_include_directories(bookmarks_tree SYSTEM PUBLIC ${QC_JSON_INCLUDE_DIR})
target_include_directories(bookmarks_tree PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(bookmarks_tree PUBLIC chromium_store)
