# The message-box driver, for tests under Wine: message_box_driver (a library
# for tests in process) and qc_message_box_driver (a console program that
# prints the box's text), both in the build tree.
if(WIN32)
  add_library(message_box_driver STATIC ${CMAKE_CURRENT_LIST_DIR}/MessageBoxDriver.cpp)
  target_link_libraries(message_box_driver PUBLIC win32api)
  add_executable(qc_message_box_driver ${CMAKE_CURRENT_LIST_DIR}/message_box_driver_main.cpp)
  target_link_libraries(qc_message_box_driver PRIVATE message_box_driver)
endif()
