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

# The native program tells the outcome by its exit status; Foldmint.exe
# always ends with 0.
function(run_program_expecting native_status)
  set(status ${native_status})
  if(WINDOWS)
    set(status 0)
  endif()
  execute_process(COMMAND ${RUNNER} "${PROGRAM}" ${ARGN} RESULT_VARIABLE result TIMEOUT 60)
  if(NOT result EQUAL status)
    message(FATAL_ERROR "${PROGRAM} ended with ${result}, expected ${status}")
  endif()
endfunction()

function(run_program)
  run_program_expecting(0 ${ARGN})
endfunction()

# Compared as hex text: file(READ) would drop the CRs otherwise.
function(expect_bytes actual expected_hex what)
  file(READ "${actual}" actual_hex HEX)
  if(NOT actual_hex STREQUAL expected_hex)
    message(FATAL_ERROR "${what}: ${actual} is not as expected")
  endif()
endfunction()

file(READ "${DATA}/bookmark.htm" original HEX)
file(READ "${DATA}/expected/work.htm" spliced HEX)
string(HEX "@PRODUCT@" placeholder)
string(HEX "${link}" link_hex)
string(REPLACE "${placeholder}" "${link_hex}" spliced "${spliced}")

fresh_profile()
run_program("${bookmark}" ${product_words})
expect_bytes("${WORK}/bookmark.htm" "${spliced}" "first run")
expect_bytes("${WORK}/bkmk.qyr" "${original}" "backup")

run_program("${bookmark}" ${product_words})
expect_bytes("${WORK}/bookmark.htm" "${spliced}" "second run")

# A product directory too long for its buffer ends the run with nothing changed.
fresh_profile()
string(REPEAT "q" 260 long_dir)
run_program_expecting(2 "${bookmark}" "${long_dir}")
expect_bytes("${WORK}/bookmark.htm" "${original}" "too long a part")
if(EXISTS "${WORK}/bkmk.qyr")
  message(FATAL_ERROR "too long a part: a backup was made")
endif()
