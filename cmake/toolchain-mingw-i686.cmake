# Cross-compiles for 32-bit Windows with MinGW-w64's GCC, win32 thread model:
# the program has one thread and links no POSIX threads library.
set(triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-target.cmake)

set(CMAKE_C_COMPILER ${triple}-gcc-win32)
set(CMAKE_CXX_COMPILER ${triple}-g++-win32)
# Archives that keep link-time-optimisation objects usable.
set(CMAKE_C_COMPILER_AR ${triple}-gcc-ar-win32)
set(CMAKE_CXX_COMPILER_AR ${triple}-gcc-ar-win32)
set(CMAKE_C_COMPILER_RANLIB ${triple}-gcc-ranlib-win32)
set(CMAKE_CXX_COMPILER_RANLIB ${triple}-gcc-ranlib-win32)
