# The program carries one application manifest, resource type 24, id 1,
# read back from its file, with what it must declare.
#   -DPROGRAM=<Snaplet.exe or Foldmint.exe> -DREADER=<qc_pe_manifest>
#   -DRUNNER=<emulator or empty>
cmake_minimum_required(VERSION 3.25)

set(program "${PROGRAM}")
if(RUNNER)
  string(REPLACE "/" "\\" program "Z:${PROGRAM}")
endif()
execute_process(COMMAND ${RUNNER} "${READER}" "${program}" RESULT_VARIABLE result
                OUTPUT_VARIABLE manifest ERROR_VARIABLE error TIMEOUT 60)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM}: no single manifest (${result}): ${error}")
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
get_filename_component(name "${PROGRAM}" NAME)
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
message(STATUS "${name}: one manifest, type 24 id 1, with all it must declare")
