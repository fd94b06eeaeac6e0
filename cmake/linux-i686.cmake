# 32-bit x86 Linux: the search's tests on the program's 32-bit arithmetic
# (32-bit long, size_t and pointers). They run as they are where the kernel
# starts 32-bit programs, and through qemu's user-mode emulator elsewhere.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
# Linked with its own C++ runtime, as the shipped Windows program is: the
# program starts without loading and relocating libstdc++, some 1.5 ms.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static-libstdc++ -static-libgcc")
execute_process(COMMAND /lib/ld-linux.so.2 --version RESULT_VARIABLE kernel_refuses_32bit OUTPUT_QUIET ERROR_QUIET)
if(kernel_refuses_32bit)
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386-static)
endif()
