# qc_add_dialog_templates(<target> <rcfile>)
# Gives a program the dialogs of its resource script, the one source of its
# dialog templates. On Windows the script is compiled into the program's
# resources (unless the target already has it); on POSIX its DIALOG
# resources become a generated source that registers them with the
# framework's POSIX dialogs.
include_guard(GLOBAL)

include(${CMAKE_CURRENT_LIST_DIR}/ResourceScript.cmake)

if(NOT WIN32)
  add_executable(qc_rc_dialogs
                 ${CMAKE_CURRENT_LIST_DIR}/posix/rc/rc_dialogs_main.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/posix/rc/RcDialogs.cpp)
  target_link_libraries(qc_rc_dialogs PRIVATE qc_rc_script)
endif()

function(qc_add_dialog_templates target rcfile)
  get_filename_component(script ${rcfile} ABSOLUTE)
  if(WIN32)
    target_sources(${target} PRIVATE ${script})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  else()
    get_filename_component(stem ${script} NAME_WE)
    get_filename_component(directory ${script} DIRECTORY)
    file(GLOB headers ${directory}/*.h)
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_${stem}_dialogs.cpp)
    add_custom_command(OUTPUT ${generated}
                       COMMAND qc_rc_dialogs ${script} ${generated}
                       DEPENDS qc_rc_dialogs ${script} ${headers}
                       COMMENT "Dialog templates of ${rcfile}")
    target_sources(${target} PRIVATE ${generated})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  endif()
endfunction()
