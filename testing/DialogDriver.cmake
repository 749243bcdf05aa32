# The dialog driver, for tests under Wine: dialog_driver (a library for
# tests) and qc_dialog_driver (a console program that runs steps given on
# its command line, for scripts and by hand), both in the build tree.
if(WIN32)
  add_library(dialog_driver STATIC ${CMAKE_CURRENT_LIST_DIR}/DialogDriver.cpp)
  target_link_libraries(dialog_driver PUBLIC win32api)
  add_executable(qc_dialog_driver ${CMAKE_CURRENT_LIST_DIR}/dialog_driver_main.cpp)
  target_link_libraries(qc_dialog_driver PRIVATE dialog_driver)
endif()
