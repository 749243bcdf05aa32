# foldmint: the bookmark installer program (Foldmint.exe on Windows, a GUI
# program with its dialogs and version information; on POSIX the dialogs
# are terminal prompts made from the same script).
include(${PROJECT_SOURCE_DIR}/framework/DialogTemplates.cmake)
if(WIN32)
  add_executable(foldmint WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/InstallerApp.cpp
                                ${CMAKE_CURRENT_SOURCE_DIR}/Foldmint.rc)
  set_target_properties(foldmint PROPERTIES OUTPUT_NAME Foldmint)
  set_property(SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/Foldmint.rc APPEND PROPERTY OBJECT_DEPENDS
               ${CMAKE_CURRENT_SOURCE_DIR}/dialogs/Dialogs.rc ${CMAKE_CURRENT_SOURCE_DIR}/dialogs/resource.h
               ${CMAKE_CURRENT_SOURCE_DIR}/Foldmint.manifest)
  # The resource script includes version/Version.h.
  target_link_libraries(foldmint PRIVATE qc_version)
else()
  add_executable(foldmint ${CMAKE_CURRENT_SOURCE_DIR}/InstallerApp.cpp)
  qc_add_dialog_templates(foldmint ${CMAKE_CURRENT_SOURCE_DIR}/dialogs/Dialogs.rc)
endif()
target_link_libraries(foldmint PRIVATE framework_entry installer_core framework)
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The x86 program gets the 4 GB of address space that 64-bit Windows gives
  # a 32-bit program that says it takes addresses above 2 GB: a large
  # bookmark file needs several times its size. (Not Snaplet.exe: it hosts
  # a control of 1998 that may not expect such addresses.)
  target_link_options(foldmint PRIVATE -Wl,--large-address-aware)
endif()
# It loads no modules, so it carries the stand-in inside: one file to install.
set_target_properties(foldmint PROPERTIES QC_STATIC_WIN32API ON)
install(TARGETS foldmint RUNTIME DESTINATION bin COMPONENT foldmint)
qc_check_windows_program(foldmint)
