# The one check of a Windows program or DLL we build, read from its file
# without running it, so that it holds for the x86 programs too:
# - its machine type (MACHINE: i386 or x86-64),
# - the GUI subsystem (a program's),
# - the x86 Foldmint.exe, and not Snaplet.exe, is large-address-aware,
# - it imports nothing but Windows' own DLLs,
# - a program's application manifest, read with READER: what it must
#   declare (Foldmint's also asks for Common Controls 6), no active code page,
# - with REFERENCE, the same resources, byte for byte, as that program
#   (the other machine type's build of it),
# - with EXPORTS, those names exported undecorated (as COM looks them up).
#
#   cmake -DPROGRAM=<file> -DOBJDUMP=<the toolchain's objdump> -DMACHINE=<i386|x86-64>
#         -DREADER=<qc_pe_resources built for this machine> [-DREFERENCE=<file>]
#         [-DEXPORTS=<name;...>] -P CheckWindowsProgram.cmake
cmake_minimum_required(VERSION 3.25)

get_filename_component(name "${PROGRAM}" NAME)
if(NOT EXISTS "${PROGRAM}")
  message(FATAL_ERROR "${PROGRAM} does not exist")
endif()
execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE headers
                RESULT_VARIABLE result ERROR_VARIABLE error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} failed on ${PROGRAM}: ${error}")
endif()

# objdump names the format after the machine: pei-i386, pei-x86-64.
if(NOT headers MATCHES "file format pei-([a-z0-9-]+)")
  message(FATAL_ERROR "${name} is no PE image")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL MACHINE)
  message(FATAL_ERROR "${name} is for ${CMAKE_MATCH_1}, not ${MACHINE}")
endif()

# The x86 Foldmint.exe takes addresses above 2 GB (a large bookmark file
# needs several times its size); Snaplet.exe must not: it hosts a control of
# 1998 that may not expect them. Every x64 program takes them anyway.
if(MACHINE STREQUAL "i386")
  string(FIND "${headers}" "\n\tlarge address aware\n" at)
  if(name STREQUAL "Foldmint.exe" AND at EQUAL -1)
    message(FATAL_ERROR "${name} is not linked large-address-aware")
  elseif(name STREQUAL "Snaplet.exe" AND NOT at EQUAL -1)
    message(FATAL_ERROR "${name} is linked large-address-aware")
  endif()
endif()

# A DLL runs in its host's subsystem.
if(NOT name MATCHES "\\.dll$" AND NOT headers MATCHES "Subsystem[ \t]+00000002[ \t]+\\(Windows GUI\\)")
  message(FATAL_ERROR "${name} is not a GUI program")
endif()

set(windows_dlls ADVAPI32.DLL BCRYPT.DLL COMCTL32.DLL COMDLG32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL
                 OLE32.DLL OLEAUT32.DLL SHELL32.DLL USER32.DLL)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${name}")
endif()
set(imported "")
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  string(STRIP "${dll}" dll)
  string(TOUPPER "${dll}" dll)
  if(NOT dll IN_LIST windows_dlls)
    message(FATAL_ERROR "${name} imports ${dll}, which is not Windows' own")
  endif()
  list(APPEND imported ${dll})
endforeach()

foreach(export IN LISTS EXPORTS)
  if(NOT headers MATCHES "\\] ${export}\n")
    message(FATAL_ERROR "${name} does not export ${export} by that name")
  endif()
endforeach()

if(NOT READER)
  message(FATAL_ERROR "READER is required")
endif()
if(NOT name MATCHES "\\.dll$")
  execute_process(COMMAND "${READER}" manifest "${PROGRAM}" RESULT_VARIABLE result
                  OUTPUT_VARIABLE manifest ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${name}: no single manifest: ${error}")
  endif()
  set(required
      "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"
      # Windows 7, 8, 8.1, 10 and 11
      "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>"
      "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>"
      "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>"
      "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"
      ">true/pm</dpiAware>"
      ">PerMonitorV2</dpiAwareness>")
  if(name STREQUAL "Foldmint.exe")
    list(APPEND required "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""
         "publicKeyToken=\"6595b64144ccf1df\" language=\"*\"")
  endif()
  foreach(text IN LISTS required)
    string(FIND "${manifest}" "${text}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${name}: the manifest lacks ${text}")
    endif()
  endforeach()
  # The programs speak the ANSI code page with the browser and the registry:
  # no activeCodePage element, with or without a namespace prefix.
  if(manifest MATCHES "<([A-Za-z0-9_]+:)?activeCodePage")
    message(FATAL_ERROR "${name}: the manifest declares an active code page")
  endif()
endif()

if(REFERENCE)
  if(NOT EXISTS "${REFERENCE}")
    message(FATAL_ERROR "${name}: the reference ${REFERENCE} does not exist (build it first)")
  endif()
  foreach(side ours theirs)
    set(file "${PROGRAM}")
    if(side STREQUAL theirs)
      set(file "${REFERENCE}")
    endif()
    execute_process(COMMAND "${READER}" list "${file}" RESULT_VARIABLE result
                    OUTPUT_VARIABLE ${side} ERROR_VARIABLE error)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "${file}: ${error}")
    endif()
  endforeach()
  if(NOT ours STREQUAL theirs)
    message(FATAL_ERROR "${name}: its resources differ from those of ${REFERENCE}")
  endif()
  string(REGEX MATCHALL "\n" lines "\n${ours}")
  list(LENGTH lines count)
  math(EXPR count "${count} - 1")
  set(same ", the same ${count} resources as ${REFERENCE}")
endif()

list(JOIN imported " " imported)
message(STATUS "${name}: ${MACHINE}, imports ${imported}${same}")
