# qc_rc_script: the tokens of a resource script, for the POSIX build steps
# that carry its string tables and dialogs over (and for their tests).
include_guard(GLOBAL)

if(NOT WIN32)
  add_library(qc_rc_script STATIC ${CMAKE_CURRENT_LIST_DIR}/posix/rc/RcScript.cpp)
  target_include_directories(qc_rc_script PUBLIC ${PROJECT_SOURCE_DIR})
endif()
