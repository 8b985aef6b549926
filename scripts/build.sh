#!/usr/bin/env bash
# Configures and builds the three configurations under build/: native (portable code and its
# tests, with sanitizers), win64 and win32 (the Windows DLLs; win64 also the stand-in program and
# the Windows tests). Pass configuration names to build only those.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TANDRY_BUILD_DIR:-$root/build}
configs=("$@")
[ ${#configs[@]} -gt 0 ] || configs=(native win64 win32)

for cfg in "${configs[@]}"; do
  case "$cfg" in
    native) args=(-DCMAKE_BUILD_TYPE=Debug) ;;
    win64) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw64.cmake") ;;
    win32) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw32.cmake") ;;
    *) echo "build.sh: unknown configuration $cfg" >&2; exit 2 ;;
  esac
  [ -f "$build/$cfg/build.ninja" ] || cmake -S "$root" -B "$build/$cfg" -G Ninja "${args[@]}" >/dev/null
  cmake --build "$build/$cfg" -- --quiet
done
