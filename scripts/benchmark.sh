#!/usr/bin/env bash
# Builds the win64 configuration, starts a Wine bench of its own, runs the session benchmark on
# it (capture, NextSlide and a slide window's repaint, each as a ratio against a baseline of the
# same run, and the memory a loaded slide keeps) and stops the bench again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TANDRY_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" win64
bench="$build/win64/benchmark-bench"
trap '"$root/scripts/wine-env.sh" stop "$bench"' EXIT
"$root/scripts/wine-env.sh" start "$bench"
cd "$build/win64/bin"
"$root/scripts/wine-env.sh" run "$bench" session_benchmark.exe
