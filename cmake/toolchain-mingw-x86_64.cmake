# Cross-compiles for 64-bit Windows with MinGW-w64's GCC, win32 thread model:
# the Windows tests' build on machines that cannot run 32-bit code.
set(triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-gcc.cmake)
