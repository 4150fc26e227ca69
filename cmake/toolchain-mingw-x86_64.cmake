# Cross build of the Windows program with MinGW-w64, 64-bit, like the 32-bit
# build it stands in for: it is only tested, where pointer-sized code differs
# and where a host cannot run 32-bit programs.
# The emulator lets CTest run the test executables under Wine by target name.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)

# Debian installs the 64-bit loader here only, not on PATH.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
