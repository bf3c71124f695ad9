# Cross build of the controller library for 32-bit Windows with Debian's mingw-w64 compiler
# (the posix-threads variant, package g++-mingw-w64-i686-posix).
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(PULSEPOST_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${PULSEPOST_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PULSEPOST_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PULSEPOST_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${PULSEPOST_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${PULSEPOST_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# SSE2 arithmetic instead of the x87 unit's 80-bit intermediates, so that every double is
# rounded as the x86-64 build rounds it.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

# Static runtime: the DLL imports nothing but KERNEL32 and msvcrt. --kill-at drops the @12
# stdcall decoration from the export names, so the host finds the entry as "p".
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--kill-at")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Programs built here run under Wine on the Linux build machine (quiet, in a prefix of their own).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/windows/wine-run.sh)
