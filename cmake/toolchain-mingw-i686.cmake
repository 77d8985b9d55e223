# Cross-compiles for 32-bit Windows with MinGW-w64. The win32 thread model:
# the program has one thread and links no POSIX threads library.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
# Archives that keep link-time-optimisation objects usable.
set(CMAKE_C_COMPILER_AR i686-w64-mingw32-gcc-ar-win32)
set(CMAKE_CXX_COMPILER_AR i686-w64-mingw32-gcc-ar-win32)
set(CMAKE_C_COMPILER_RANLIB i686-w64-mingw32-gcc-ranlib-win32)
set(CMAKE_CXX_COMPILER_RANLIB i686-w64-mingw32-gcc-ranlib-win32)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable: no libstdc++ or libgcc DLL to ship.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
