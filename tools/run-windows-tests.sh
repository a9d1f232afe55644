#!/usr/bin/env bash
# The Windows stage: the static Qt for mingw-w64 (from ~/.cache/vollmark, else unpacked from a
# prebuilt archive in $VOLLMARK_QT_ARCHIVES, else built from Debian's qt6-base source, about an
# hour on 2 cores; see tools/mingw-qt.sh), every program cross-built with it, the installer, and
# the tests under wine on private X displays. build/windows/stage-passed says it ran through,
# for CI, which fails without it.
set -euo pipefail
cd "$(dirname "$0")/.."
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}
started=$SECONDS

qt=$(sh tools/mingw-qt.sh)
qt_ready=$SECONDS
cmake --preset windows -DVOLLMARK_MINGW_QT="$qt"
cmake --build --preset windows
cmake --build --preset windows --target package
built=$SECONDS
rm -f build/windows/stage-passed
ctest --preset windows
touch build/windows/stage-passed
echo "windows stage: Qt $((qt_ready - started)) s, build $((built - qt_ready)) s," \
    "tests $((SECONDS - built)) s"
