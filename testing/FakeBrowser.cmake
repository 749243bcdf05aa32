# fake_browser: the fake browser as a library for tests in process, and on
# Windows also as a program of its own (fake_browser.exe).
set(QC_FAKE_BROWSER_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/FakeBrowserText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FakeBrowserScript.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FakeBrowserCounters.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FakeBrowserCore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FakeBrowserProgram.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FakeBrowserFrames.cpp)
if(WIN32)
  list(APPEND QC_FAKE_BROWSER_SOURCES ${CMAKE_CURRENT_LIST_DIR}/FakeBrowserWin32.cpp)
else()
  list(APPEND QC_FAKE_BROWSER_SOURCES ${CMAKE_CURRENT_LIST_DIR}/FakeBrowserPosix.cpp)
endif()

add_library(fake_browser STATIC ${QC_FAKE_BROWSER_SOURCES})
target_link_libraries(fake_browser PUBLIC win32api browser)
# Also linked into the POSIX build's DDE peer module.
set_target_properties(fake_browser PROPERTIES POSITION_INDEPENDENT_CODE ON)

if(WIN32)
  add_executable(fake_browser_program WIN32 ${CMAKE_CURRENT_LIST_DIR}/fake_browser_main.cpp)
  set(QC_FAKE_BROWSER_PROGRAM_DIR ${PROJECT_BINARY_DIR}/testing)
  set_target_properties(fake_browser_program PROPERTIES OUTPUT_NAME fake_browser
                        RUNTIME_OUTPUT_DIRECTORY ${QC_FAKE_BROWSER_PROGRAM_DIR})
  target_link_libraries(fake_browser_program PRIVATE fake_browser)
endif()
