# What the two mingw-w64 toolchain files share; they set QC_MINGW_TRIPLET
# and CMAKE_SYSTEM_PROCESSOR first. The -posix compilers are used because
# GoogleTest needs std::mutex, which the win32 thread model lacks.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${QC_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QC_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QC_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QC_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
