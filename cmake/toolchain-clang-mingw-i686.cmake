# The second compiler: Debian's clang for the same 32-bit Windows target,
# with MinGW-w64's headers, C++ library and runtime, linked by lld.
set(triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-target.cmake)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${triple})
set(CMAKE_CXX_COMPILER_TARGET ${triple})
set(CMAKE_AR ${triple}-ar)
set(CMAKE_RANLIB ${triple}-ranlib)

# clang finds MinGW's C headers itself, not GCC's C++ library beside them.
file(GLOB gcc_dir LIST_DIRECTORIES true /usr/lib/gcc/${triple}/*-win32)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${gcc_dir}/include/c++ ${gcc_dir}/include/c++/${triple})
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -fuse-ld=lld -L${gcc_dir}")
