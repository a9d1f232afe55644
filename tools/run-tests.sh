#!/usr/bin/env bash
# Set-up, build and every test: the native build with warnings as errors, then the Windows
# cross-build under wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup-debian.sh

cmake --preset ci
cmake --build --preset ci
ctest --preset ci
