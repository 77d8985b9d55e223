# Cross-compiles for 64-bit Windows with MinGW-w64: the Windows tests' build
# on machines that cannot run 32-bit code (see scripts/windows-tree.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_C_COMPILER_AR x86_64-w64-mingw32-gcc-ar-win32)
set(CMAKE_CXX_COMPILER_AR x86_64-w64-mingw32-gcc-ar-win32)
set(CMAKE_C_COMPILER_RANLIB x86_64-w64-mingw32-gcc-ranlib-win32)
set(CMAKE_CXX_COMPILER_RANLIB x86_64-w64-mingw32-gcc-ranlib-win32)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
