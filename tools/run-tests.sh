#!/usr/bin/env bash
# Set-up, build and every test: the native build with warnings as errors, then the Windows
# cross-build under wine. --no-setup skips the Debian packages (for a caller that installed them).
# The Windows stage (every program, the installer, the core's suites and the end-to-end tests
# under wine) needs a mingw Qt, which tools/mingw-qt.sh takes from the cache or unpacks from a
# prebuilt archive in $VOLLMARK_QT_ARCHIVES in seconds. Building it instead takes about an hour
# on 2 cores: --windows, and CI, which must run the stage, do that where no archive serves;
# otherwise the stage falls back to the `mingw` preset (the core's suites under wine, without
# the windows) and says so.
set -euo pipefail
cd "$(dirname "$0")/.."

setup=true windows=false
for argument in "$@"; do
    case $argument in
    --no-setup) setup=false ;;
    --windows) windows=true ;;
    *) echo "usage: $0 [--no-setup] [--windows]" >&2; exit 2 ;;
    esac
done
if $setup; then
    bash tools/setup-debian.sh --tests
fi
# CMake 3.25's test presets cannot say "all cores"; ctest reads this instead.
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

cmake --preset ci
cmake --build --preset ci
ctest --preset ci

# ---- Windows: cross-built with mingw-w64 and run under wine (a fresh prefix per test run, made
# by the wine_prefix_setup test). The `windows` preset runs every suite of the `mingw` one. ----
if $windows || [[ ${CI:-} == true ]] || sh tools/mingw-qt.sh --no-build >/dev/null; then
    bash tools/run-windows-tests.sh
else
    echo "Windows stage not run: no mingw Qt (above); running the mingw preset's suites only." \
        "tools/run-tests.sh --windows builds the Qt (about an hour on 2 cores) and runs the" \
        "stage; later runs reuse it." >&2
    cmake --preset mingw
    cmake --build --preset mingw
    ctest --preset mingw
fi
