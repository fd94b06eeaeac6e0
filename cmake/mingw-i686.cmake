# 32-bit Windows, the program's target, with Debian's MinGW-w64 toolchain.
# Its programs run on Windows, or under a Wine that can start 32-bit code
# (which needs a kernel that runs 32-bit x86 programs).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-session.sh run win32)
