# The recording meter control: an in-process COM server DLL on Windows, a
# control module (.so) on POSIX, both built as testing/RecordingControl.*
# in the build tree. Beside it:
#   control_test_support  registration, module path, object count, environment
#   qc_register_control   the same registration as a program
#   CTest fixture "recording_control": registers the control before the tests
#     that require it and removes the registration after them. Under Wine it
#     writes the prefix's registry; on POSIX the hive ${QC_RECORDING_CONTROL_HIVE},
#     which such tests name in QC_REGISTRY_FILE.
set(QC_RECORDING_CONTROL_DIR ${CMAKE_BINARY_DIR}/testing)
# Cached so that tests elsewhere in the tree can name it.
set(QC_RECORDING_CONTROL_HIVE ${QC_RECORDING_CONTROL_DIR}/recording-control.reg CACHE INTERNAL "")

if(WIN32)
  add_library(RecordingControl MODULE
              ${CMAKE_CURRENT_LIST_DIR}/RecordingControlWin32.cpp
              ${CMAKE_CURRENT_LIST_DIR}/RecordingControlLog.cpp
              ${CMAKE_CURRENT_LIST_DIR}/ControlRegistration.cpp
              ${CMAKE_CURRENT_LIST_DIR}/RecordingControl.def)
  target_link_libraries(RecordingControl PRIVATE win32api)
  # COM looks the exports up by their plain names; on x86 the STDAPI
  # definitions carry the stdcall decoration (DllGetClassObject@12), which
  # the .def's plain names are bound to here, on purpose and without warning.
  target_link_options(RecordingControl PRIVATE -Wl,--enable-stdcall-fixup)
  qc_check_windows_program(RecordingControl EXPORTS DllGetClassObject DllCanUnloadNow
                           DllRegisterServer DllUnregisterServer QcRecordingControlObjects)
  set(QC_RECORDING_CONTROL_FILE ${QC_RECORDING_CONTROL_DIR}/RecordingControl.dll)
  # Wine maps the build tree's Unix paths to drive Z:.
  string(REPLACE "/" "\\\\" QC_RECORDING_CONTROL_MODULE_TEXT "Z:${QC_RECORDING_CONTROL_FILE}")
else()
  add_library(RecordingControl MODULE
              ${CMAKE_CURRENT_LIST_DIR}/RecordingControlPosix.cpp
              ${CMAKE_CURRENT_LIST_DIR}/RecordingControlLog.cpp)
  # Types only: the module reaches the host's desktop through the functions
  # it is handed, never through a stand-in of its own.
  target_include_directories(RecordingControl PRIVATE ${PROJECT_SOURCE_DIR})
  set(QC_RECORDING_CONTROL_FILE ${QC_RECORDING_CONTROL_DIR}/RecordingControl.so)
  set(QC_RECORDING_CONTROL_MODULE_TEXT ${QC_RECORDING_CONTROL_FILE})
endif()
set_target_properties(RecordingControl PROPERTIES
                      PREFIX "" OUTPUT_NAME RecordingControl
                      LIBRARY_OUTPUT_DIRECTORY ${QC_RECORDING_CONTROL_DIR}
                      RUNTIME_OUTPUT_DIRECTORY ${QC_RECORDING_CONTROL_DIR})

file(WRITE ${CMAKE_BINARY_DIR}/generated/testing/RecordingControlModule.h.in
     "// Generated: where the build put the recording control.\n#pragma once\n#define QC_RECORDING_CONTROL_MODULE \"@QC_RECORDING_CONTROL_MODULE_TEXT@\"\n")
configure_file(${CMAKE_BINARY_DIR}/generated/testing/RecordingControlModule.h.in
               ${CMAKE_BINARY_DIR}/generated/testing/RecordingControlModule.h @ONLY)

if(WIN32)
  set(QC_CONTROL_SUPPORT_PLATFORM ${CMAKE_CURRENT_LIST_DIR}/ControlTestSupportWin32.cpp)
else()
  set(QC_CONTROL_SUPPORT_PLATFORM ${CMAKE_CURRENT_LIST_DIR}/ControlTestSupportPosix.cpp)
endif()
add_library(control_test_support STATIC
            ${CMAKE_CURRENT_LIST_DIR}/ControlRegistration.cpp ${CMAKE_CURRENT_LIST_DIR}/RecordingControlLog.cpp
            ${QC_CONTROL_SUPPORT_PLATFORM})
target_include_directories(control_test_support PUBLIC ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(control_test_support PUBLIC win32api)
# Whoever uses the support uses the control.
add_dependencies(control_test_support RecordingControl)

add_executable(qc_register_control ${CMAKE_CURRENT_LIST_DIR}/register_control_main.cpp)
target_link_libraries(qc_register_control PRIVATE control_test_support)

add_test(NAME recording_control_register COMMAND qc_register_control register)
add_test(NAME recording_control_unregister COMMAND qc_register_control unregister)
set_tests_properties(recording_control_register PROPERTIES FIXTURES_SETUP recording_control TIMEOUT 60)
set_tests_properties(recording_control_unregister PROPERTIES FIXTURES_CLEANUP recording_control TIMEOUT 60)
if(WIN32)
  set_tests_properties(recording_control_register recording_control_unregister
                       PROPERTIES FIXTURES_REQUIRED wine)
else()
  set_tests_properties(recording_control_register recording_control_unregister
                       PROPERTIES ENVIRONMENT QC_REGISTRY_FILE=${QC_RECORDING_CONTROL_HIVE})
endif()
