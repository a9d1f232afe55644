#!/usr/bin/env bash
# The Windows stage: the static Qt for mingw-w64 (built from Debian's qt6-base source the first
# time, about an hour on 2 cores, then taken from ~/.cache/vollmark), every program
# cross-built with it, the installer, and the tests under wine on private X displays.
set -euo pipefail
cd "$(dirname "$0")/.."
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}
started=$SECONDS

bash tools/build-mingw-qt.sh
qt_ready=$SECONDS
cmake --preset windows
cmake --build --preset windows
cmake --build --preset windows --target package
ctest --preset windows
echo "windows stage: Qt $((qt_ready - started)) s, build and tests $((SECONDS - qt_ready)) s"
