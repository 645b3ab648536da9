# Cross-compiles the Windows program with mingw-w64 (posix thread model so that
# tests can feed modal loops from a second thread), static runtime.
# TESSALY_WIN_ARCH picks the target: x86_64 (the default: the build that runs
# and is tested under 64-bit Wine) or i686 (the 32-bit program).
set(TESSALY_WIN_ARCH x86_64 CACHE STRING "Windows target: x86_64 or i686")
set(triplet ${TESSALY_WIN_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TESSALY_WIN_ARCH})
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# try_compile projects read this file again: hand them the chosen target.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TESSALY_WIN_ARCH)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run")
