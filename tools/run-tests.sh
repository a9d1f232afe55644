#!/usr/bin/env bash
# Set-up, build and every test: the native build with warnings as errors, then the Windows
# cross-build under wine. --no-setup skips the Debian packages (for a caller that installed them).
# The whole program for Windows (window, installer, tests on wine's X windows) needs a mingw Qt,
# built from Debian's source once (about an hour on 2 cores) and cached: that stage runs when the
# cache is there, or with --windows, which builds it first.
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

# ---- Windows: the core, its tests and vollmark-drives cross-built with mingw-w64 and run under
# wine (a fresh prefix per test run, made by the wine_prefix_setup test) ----
cmake --preset mingw
cmake --build --preset mingw
ctest --preset mingw

qt=$(bash tools/build-mingw-qt.sh --prefix)
if $windows || [[ -f $qt/.complete ]]; then
    bash tools/run-windows-tests.sh
else
    echo "Windows stage not run: no mingw Qt in $qt. tools/run-tests.sh --windows builds it" \
        "(about an hour on 2 cores) and runs the stage; later runs reuse it." >&2
fi
