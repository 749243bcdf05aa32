# The fake browser as a DDE peer module for programs of the POSIX build.
if(NOT WIN32)
  add_library(fake_browser_peer MODULE ${CMAKE_CURRENT_LIST_DIR}/FakeBrowserPeer.cpp)
  target_link_libraries(fake_browser_peer PRIVATE fake_browser)
endif()
