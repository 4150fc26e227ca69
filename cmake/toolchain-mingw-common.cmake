# What the two MinGW-w64 cross builds share; their toolchain files set
# CMAKE_SYSTEM_PROCESSOR and MINGW_PREFIX, then include this. The compilers
# are those of the win32 thread model: the posix model links winpthreads,
# which imports GetTickCount64 and so keeps the program from starting on
# Windows XP.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
