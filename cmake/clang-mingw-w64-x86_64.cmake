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
# With several GCC versions installed, the newest is taken.
file(GLOB ZENTOLO_MINGW_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${TOOLCHAIN_PREFIX}/*-posix)
set(ZENTOLO_MINGW_GCC_DIR "")
set(ZENTOLO_MINGW_GCC_VERSION 0)
foreach(dir IN LISTS ZENTOLO_MINGW_GCC_DIRS)
  get_filename_component(version ${dir} NAME)
  string(REPLACE "-posix" "" version ${version})
  if(IS_DIRECTORY ${dir} AND version VERSION_GREATER ZENTOLO_MINGW_GCC_VERSION)
    set(ZENTOLO_MINGW_GCC_VERSION ${version})
    set(ZENTOLO_MINGW_GCC_DIR ${dir})
  endif()
endforeach()
if(NOT ZENTOLO_MINGW_GCC_DIR)
  message(FATAL_ERROR "No MinGW-w64 GCC with the posix thread model in /usr/lib/gcc/${TOOLCHAIN_PREFIX}/ "
    "(a folder such as 12-posix): install g++-mingw-w64-x86-64-posix, which `make deps` does.")
endif()
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
  ${ZENTOLO_MINGW_GCC_DIR}/include/c++
  ${ZENTOLO_MINGW_GCC_DIR}/include/c++/${TOOLCHAIN_PREFIX}
  ${ZENTOLO_MINGW_GCC_DIR}/include/c++/backward)
set(CMAKE_C_FLAGS_INIT "-pthread")
set(CMAKE_CXX_FLAGS_INIT "-pthread")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -pthread -L${ZENTOLO_MINGW_GCC_DIR}")
