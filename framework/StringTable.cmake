# qc_add_string_table(<target> <rcfile>)
# Gives a program the string table of its resource script, the one source of
# its texts. On Windows the script is compiled into the program's resources;
# on POSIX its STRINGTABLE blocks become a generated source that registers
# the strings with the stand-in's LoadStringA.
include(${CMAKE_CURRENT_LIST_DIR}/ResourceScript.cmake)

if(NOT WIN32)
  add_executable(qc_rc_strings
                 ${CMAKE_CURRENT_LIST_DIR}/posix/rc/rc_strings_main.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/posix/rc/RcStringTable.cpp)
  target_link_libraries(qc_rc_strings PRIVATE qc_rc_script)
endif()

function(qc_add_string_table target rcfile)
  get_filename_component(script ${rcfile} ABSOLUTE)
  if(WIN32)
    target_sources(${target} PRIVATE ${script})
  else()
    get_filename_component(stem ${script} NAME_WE)
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_${stem}_strings.cpp)
    add_custom_command(OUTPUT ${generated}
                       COMMAND qc_rc_strings ${script} ${generated}
                       DEPENDS qc_rc_strings ${script}
                       COMMENT "String table of ${rcfile}")
    target_sources(${target} PRIVATE ${generated})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  endif()
endfunction()
