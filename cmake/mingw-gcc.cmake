# MinGW-w64's GCC, win32 thread model, for the target named by `triple`.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-target.cmake)

set(CMAKE_C_COMPILER ${triple}-gcc-win32)
set(CMAKE_CXX_COMPILER ${triple}-g++-win32)
# Archives that keep link-time-optimisation objects usable.
set(CMAKE_C_COMPILER_AR ${triple}-gcc-ar-win32)
set(CMAKE_CXX_COMPILER_AR ${triple}-gcc-ar-win32)
set(CMAKE_C_COMPILER_RANLIB ${triple}-gcc-ranlib-win32)
set(CMAKE_CXX_COMPILER_RANLIB ${triple}-gcc-ranlib-win32)
