# Test set-up shared by both builds: GoogleTest, and on the Windows build a
# Wine prefix of the build tree's own in which every test program runs.
include(GoogleTest)

if(CMAKE_CROSSCOMPILING AND WIN32)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  set(QC_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(QC_WINE_PREFIX_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/wine-prefix.sh)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
                 @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

  # The prefix as it was made, and one Wine session for the whole run that
  # holds none of a test's files: a test's program that started the session
  # would be waited for until the session ends (wine-prefix.sh).
  add_test(NAME wine_prefix_setup
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-prefix.sh start ${QC_WINEPREFIX})
  set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  add_test(NAME wine_prefix_shutdown
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-prefix.sh shutdown ${QC_WINEPREFIX})
  set_tests_properties(wine_prefix_shutdown PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 120)
else()
  find_package(GTest REQUIRED)
endif()

# qc_add_gtest(<name> SOURCES <files...> LIBS <targets...>)
# Natively every test case becomes a CTest test; under Wine the whole program
# is one CTest test, since starting a Windows process costs about a second.
function(qc_add_gtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING AND WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${ARG_TIMEOUT})
  else()
    # Temporary files of a test go beside its program, never to /tmp.
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT ${ARG_TIMEOUT}
                                    ENVIRONMENT_MODIFICATION TMPDIR=set:${CMAKE_CURRENT_BINARY_DIR})
  endif()
endfunction()

# qc_check_windows_program(<target> [EXPORTS <name>...]): a test, labelled
# "static", that reads the Windows program or DLL from its file without
# running it (cmake/CheckWindowsProgram.cmake): machine type, GUI subsystem,
# only Windows' own DLLs, the manifest of a program, exported names. With
# QC_REFERENCE_BUILD (the x64 tree, for the x86 one) it also has the same
# resources as that tree's build of it.
set(QC_REFERENCE_BUILD "" CACHE PATH "A Windows build tree whose programs' resources ours must equal")
if(CMAKE_CROSSCOMPILING AND WIN32)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86")
    set(QC_PE_MACHINE i386)
  else()
    set(QC_PE_MACHINE x86-64)
  endif()
  # The resource reader runs on this machine, whatever the programs' type;
  # tests/packaging builds it with the host's compiler.
  set(QC_HOST_PE_RESOURCES ${CMAKE_BINARY_DIR}/host/qc_pe_resources)
endif()
function(qc_check_windows_program target)
  if(NOT (CMAKE_CROSSCOMPILING AND WIN32))
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "EXPORTS" ${ARGN})
  set(reference "")
  if(QC_REFERENCE_BUILD)
    get_target_property(binary_dir ${target} BINARY_DIR)
    file(RELATIVE_PATH relative ${CMAKE_BINARY_DIR} ${binary_dir})
    set(reference "-DREFERENCE=${QC_REFERENCE_BUILD}/${relative}/$<TARGET_FILE_NAME:${target}>")
  endif()
  add_test(NAME ${target}_is_a_windows_program
           COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DOBJDUMP=${CMAKE_OBJDUMP}
                   -DMACHINE=${QC_PE_MACHINE} -DREADER=${QC_HOST_PE_RESOURCES} ${reference} "-DEXPORTS=${ARG_EXPORTS}"
                   -P ${PROJECT_SOURCE_DIR}/cmake/CheckWindowsProgram.cmake)
  set_tests_properties(${target}_is_a_windows_program PROPERTIES LABELS static TIMEOUT 60)
endfunction()
