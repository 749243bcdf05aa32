# Import-table patches for Windows test programs.
if(WIN32)
  add_library(import_patch STATIC ${CMAKE_CURRENT_LIST_DIR}/ImportPatch.cpp)
  target_include_directories(import_patch PUBLIC ${PROJECT_SOURCE_DIR})
endif()
