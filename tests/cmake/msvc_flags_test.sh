#!/bin/bash
# The Windows build with MSVC, as far as it can be checked without MSVC:
# clang-cl, which takes MSVC's options and makes CMake generate them, configures
# the project for Windows (its try-compiles build static libraries, so no
# Windows SDK is needed), and the generated build files must hold the static
# C++ runtime (-MT) for the program and GoogleTest alike, /utf-8, /W4 and
# /permissive-, and /MANIFEST:NO for every executable that compiles the
# resource script. Nothing is compiled or linked for real.
set -uo pipefail
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
llvm=$(ls -d /usr/lib/llvm-*/bin 2>/dev/null | sort -V | tail -1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() { if "$@"; then echo "ok: $*"; else echo "FAIL: $*"; failures=$((failures + 1)); fi; }

cmake -S "$src" -B "$work" -G "Unix Makefiles" \
  -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=AMD64 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_COMPILER="$llvm/clang-cl" -DCMAKE_CXX_COMPILER="$llvm/clang-cl" \
  -DCMAKE_RC_COMPILER="$llvm/llvm-rc" -DCMAKE_AR="$llvm/llvm-lib" -DCMAKE_LINKER="$llvm/lld-link" \
  -DCMAKE_TRY_COMPILE_TARGET_TYPE=STATIC_LIBRARY -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  -DZENTOLO_BENCH=ON >"$work/configure.log" 2>&1
check test $? = 0 || { cat "$work/configure.log"; exit 1; }

absent() { ! grep -q -- "$1" "$2"; }
for target in CMakeFiles/zentolo_core.dir CMakeFiles/zentolo_app.dir CMakeFiles/zentolo.dir \
              tests/CMakeFiles/zentolo_tests.dir googletest/googletest/CMakeFiles/gtest.dir; do
  check grep -q -- '-MT\b' "$work/$target/flags.make"
  check absent '-MD\b' "$work/$target/flags.make"
done
for flag in /utf-8 /W4 /permissive-; do
  check grep -q -- "$flag" "$work/CMakeFiles/zentolo_app.dir/flags.make"
done
for target in CMakeFiles/zentolo.dir tests/CMakeFiles/zentolo_gui_tests.dir bench/CMakeFiles/zentolo_traced.dir; do
  check grep -q -- '/MANIFEST:NO' "$work/$target/link.txt"
done
check grep -q 'gtest_force_shared_crt:BOOL=OFF' "$work/CMakeCache.txt"
echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ $failures -eq 0 ]
