# foldmint: the bookmark installer program (Foldmint.exe on Windows, a GUI
# program with its version information).
if(WIN32)
  add_executable(foldmint WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/InstallerApp.cpp
                                ${CMAKE_CURRENT_SOURCE_DIR}/Foldmint.rc)
  set_target_properties(foldmint PROPERTIES OUTPUT_NAME Foldmint)
else()
  add_executable(foldmint ${CMAKE_CURRENT_SOURCE_DIR}/InstallerApp.cpp)
endif()
target_link_libraries(foldmint PRIVATE framework_entry installer_core framework)
install(TARGETS foldmint RUNTIME DESTINATION bin)
