# Cross-compiles for Windows x64 with clang and lld on the MinGW-w64 headers
# and libraries; tests run under Wine, like the g++ build's.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_SYSROOT /usr/${TOOLCHAIN_PREFIX})

# clang 14 does not find GCC's "12-posix" directory by itself: the C++
# standard library's headers, libgcc and the thread support are named here.
# Standard include directories stay on every compile, whatever flags a user adds.
file(GLOB ZENTOLO_MINGW_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${TOOLCHAIN_PREFIX}/*-posix)
list(GET ZENTOLO_MINGW_GCC_DIRS 0 ZENTOLO_MINGW_GCC_DIR)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
  ${ZENTOLO_MINGW_GCC_DIR}/include/c++
  ${ZENTOLO_MINGW_GCC_DIR}/include/c++/${TOOLCHAIN_PREFIX}
  ${ZENTOLO_MINGW_GCC_DIR}/include/c++/backward)
set(CMAKE_C_FLAGS_INIT "-pthread")
set(CMAKE_CXX_FLAGS_INIT "-pthread")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -pthread -L${ZENTOLO_MINGW_GCC_DIR}")
