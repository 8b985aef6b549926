#!/usr/bin/env bash
# The main job: builds the Windows side and runs the show on the test bench's three monitors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TANDRY_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" win64
bench="$build/win64/winebench"
"$root/scripts/wine-env.sh" start "$bench"
trap '"$root/scripts/wine-env.sh" stop "$bench"' EXIT
"$root/scripts/wine-env.sh" run "$bench" "$build/win64/bin/wine_bench_test.exe"
