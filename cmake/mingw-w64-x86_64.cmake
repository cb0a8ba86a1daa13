# Cross-compiles for Windows x64 with MinGW-w64's g++; tests run under Wine.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# The posix thread model: the standard library has std::mutex and threads.
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
