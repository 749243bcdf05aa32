# The fuzz targets and what each links, shared by the libFuzzer build
# (fuzz/CMakeLists.txt, QC_FUZZ) and the replay of their corpora in the
# ordinary native suite (tests/fuzz).

set(QC_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QC_FUZZ_TARGETS item_codec window_catalogue bookmark_splice bookmark_removal toolbar_prefs
                    command_line registry_file rc_script rc_string_table rc_dialogs
                    chromium_bookmarks native_message)

# qc_fuzz_entry(<executable> <name> <scratch directory>): gives the
# executable the entry point of fuzz/<name>_fuzzer.cpp and what it needs.
# Targets that write files do so only under the scratch directory.
function(qc_fuzz_entry executable name scratch)
  target_sources(${executable} PRIVATE ${QC_FUZZ_DIR}/${name}_fuzzer.cpp)
  target_include_directories(${executable} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${executable} PRIVATE FUZZ_SCRATCH_DIR="${scratch}"
                                                   FUZZ_RC_HEADERS="${QC_FUZZ_DIR}/rc_headers")
  if(name STREQUAL "item_codec" OR name STREQUAL "window_catalogue")
    target_link_libraries(${executable} PRIVATE ddelink)
  elseif(name STREQUAL "bookmark_splice")
    target_sources(${executable} PRIVATE ${PROJECT_SOURCE_DIR}/installer/InstallerApp.cpp)
    target_link_libraries(${executable} PRIVATE installer_core)
  elseif(name STREQUAL "toolbar_prefs" OR name STREQUAL "command_line"
         OR name STREQUAL "bookmark_removal")
    target_link_libraries(${executable} PRIVATE installer_core)
  elseif(name STREQUAL "chromium_bookmarks")
    target_link_libraries(${executable} PRIVATE chromium_store)
  elseif(name STREQUAL "native_message")
    target_link_libraries(${executable} PRIVATE native_message)
  elseif(name STREQUAL "registry_file")
    target_link_libraries(${executable} PRIVATE win32api)
  elseif(name STREQUAL "rc_script")
    target_link_libraries(${executable} PRIVATE qc_rc_script)
  elseif(name STREQUAL "rc_string_table")
    target_sources(${executable} PRIVATE ${PROJECT_SOURCE_DIR}/framework/posix/rc/RcStringTable.cpp)
    target_link_libraries(${executable} PRIVATE qc_rc_script)
  elseif(name STREQUAL "rc_dialogs")
    target_sources(${executable} PRIVATE ${PROJECT_SOURCE_DIR}/framework/posix/rc/RcDialogs.cpp)
    target_link_libraries(${executable} PRIVATE qc_rc_script)
  else()
    message(FATAL_ERROR "no fuzz target named ${name}")
  endif()
endfunction()
