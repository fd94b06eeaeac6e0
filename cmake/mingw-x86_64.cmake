# 64-bit Windows, for running the Windows tests under Debian's wine64 on
# machines whose kernel cannot start 32-bit programs. long is 32 bits here
# too (LLP64), as on the 32-bit target.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-session.sh run win64)
