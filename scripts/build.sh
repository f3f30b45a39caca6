#!/usr/bin/env bash
# Configures (once) and builds the three trees: the 64-bit and 32-bit Windows builds and the
# sanitized native build of the portable core. Usage: scripts/build.sh [x64|x86|native]...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QXGE_BUILD:-$root/build}
jobs=${QXGE_JOBS:-2}

configure() {
  local dir=$1; shift
  [ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

targets=("$@")
((${#targets[@]})) || targets=(x64 x86 native)
for t in "${targets[@]}"; do
  case $t in
    x64) configure "$build/x64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" ;;
    x86) configure "$build/x86" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" ;;
    native) CC=clang CXX=clang++ configure "$build/native" ;;
    *) echo "build: unknown tree $t" >&2; exit 2 ;;
  esac
  echo "build: $t"
  cmake --build "$build/$t" -j "$jobs"
done
