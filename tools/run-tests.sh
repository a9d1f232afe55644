#!/usr/bin/env bash
# Set-up, build and every test: the native build with warnings as errors, then the Windows
# cross-build under wine. --no-setup skips the Debian packages (for a caller that installed them).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ ${1:-} != --no-setup ]]; then
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
