# Runs the installer program from its command line on a sample profile and
# compares the bookmark file and its backup byte for byte.
#   -DPROGRAM=<program> -DRUNNER=<emulator or empty> -DWINDOWS=<bool>
#   -DDATA=<tests/splicer/data> -DWORK=<scratch directory>
cmake_minimum_required(VERSION 3.25)

if(WINDOWS)
  string(REPLACE "/" "\\" bookmark "Z:${WORK}/bookmark.htm")
  # Given as two words: the program's line joins them with one blank.
  set(product_words "C:\\Program" "Files\\Quillary\\")
  set(link "file:///C:\\Program Files\\Quillary\\")
else()
  set(bookmark "${WORK}/bookmark.htm")
  set(product_words "/opt/Program" "Files/Quillary/")
  set(link "file:///opt/Program Files/Quillary/")
endif()

function(fresh_profile)
  file(REMOVE_RECURSE "${WORK}")
  file(MAKE_DIRECTORY "${WORK}")
  file(COPY_FILE "${DATA}/bookmark.htm" "${WORK}/bookmark.htm")
  file(COPY_FILE "${DATA}/prefs-work.js" "${WORK}/prefs.js")
endfunction()

function(run_program)
  execute_process(COMMAND ${RUNNER} "${PROGRAM}" ${ARGN} RESULT_VARIABLE result TIMEOUT 60)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ended with ${result}")
  endif()
endfunction()

function(expect_same actual expected what)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${actual}" "${expected}"
                  RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${what}: ${actual} differs from ${expected}")
  endif()
endfunction()

file(READ "${DATA}/expected/work.htm" spliced)
string(REPLACE "@PRODUCT@" "${link}" spliced "${spliced}")

fresh_profile()
file(WRITE "${WORK}/../command_line_expected.htm" "${spliced}")
run_program("${bookmark}" ${product_words})
expect_same("${WORK}/bookmark.htm" "${WORK}/../command_line_expected.htm" "first run")
expect_same("${WORK}/bkmk.qyr" "${DATA}/bookmark.htm" "backup")

run_program("${bookmark}" ${product_words})
expect_same("${WORK}/bookmark.htm" "${WORK}/../command_line_expected.htm" "second run")

# A product directory too long for its buffer ends the run with nothing changed.
fresh_profile()
string(REPEAT "q" 260 long_dir)
run_program("${bookmark}" "${long_dir}")
expect_same("${WORK}/bookmark.htm" "${DATA}/bookmark.htm" "too long a part")
if(EXISTS "${WORK}/bkmk.qyr")
  message(FATAL_ERROR "too long a part: a backup was made")
endif()
