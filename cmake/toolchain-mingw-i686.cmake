# Cross-compiles for 32-bit Windows with MinGW-w64's GCC, win32 thread model:
# the program has one thread and links no POSIX threads library.
set(triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-gcc.cmake)
