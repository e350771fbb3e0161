# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread and
# std::mutex): packages g++-mingw-w64-x86-64-posix and gcc-mingw-w64-x86-64-posix.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(REDDOOR_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${REDDOOR_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${REDDOOR_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${REDDOOR_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${REDDOOR_MINGW_TRIPLET})
# Programs run on the build machine; libraries and headers come from the Windows root and from
# the prefixes given in CMAKE_PREFIX_PATH (the libraries built by tools/windows-deps.sh).
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
