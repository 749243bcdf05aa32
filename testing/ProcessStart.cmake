# Process starts for tests under Wine: process_start (a library).
if(WIN32)
  add_library(process_start STATIC ${CMAKE_CURRENT_LIST_DIR}/ProcessStart.cpp)
  target_link_libraries(process_start PUBLIC win32api)
endif()
