# Starting a native messaging host over pipes, as a browser does: host_process
# (a library), for the host tests and the host benchmark.
if(WIN32)
  add_library(host_process STATIC ${CMAKE_CURRENT_LIST_DIR}/HostProcessWin32.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/HostProcessCommon.cpp)
  target_link_libraries(host_process PUBLIC win32api process_start)
else()
  add_library(host_process STATIC ${CMAKE_CURRENT_LIST_DIR}/HostProcessPosix.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/HostProcessCommon.cpp)
endif()
target_include_directories(host_process PUBLIC ${PROJECT_SOURCE_DIR})
