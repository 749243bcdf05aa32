# Cross build for 32-bit (x86) Windows with mingw-w64: what users get, since
# the browser and the meter control they work with are 32-bit programs.
set(QC_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
