# Builds for 32-bit x86 Linux with the build machine's g++ -m32 (Debian's
# g++-multilib): the simulator's data model, where long, size_t and pointers
# are 32 bits wide. GoogleTest comes from Debian's i386 packages
# (libgtest-dev:i386, libgmock-dev:i386), CLI11 is header only.
#
# The programs it builds run here under qemu-i386 (Debian's qemu-user), which
# CTest and gtest_discover_tests use as the emulator, so that they run on
# kernels without IA-32 emulation too. qemu-i386 finds the 32-bit loader and
# libraries in the build machine's own root (libc6-i386, lib32stdc++6).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)

find_program(VANTREL_QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTREL_QEMU_I386})
