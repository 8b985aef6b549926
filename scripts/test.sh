#!/usr/bin/env bash
# Installs what is missing, builds all three configurations and runs every test: native unit
# tests, Windows tests under Wine and the export checks, in one CTest run with one summary.
# Extra arguments go to ctest (for example -R session).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TANDRY_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
printf 'subdirs("native" "win64" "win32")\n' >"$build/CTestTestfile.cmake"
exec ctest --test-dir "$build" -j"$(nproc)" --output-on-failure --timeout 300 "$@"
