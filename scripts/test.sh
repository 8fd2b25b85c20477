#!/usr/bin/env bash
# Sets up the machine, builds with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVARON_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure -j2
