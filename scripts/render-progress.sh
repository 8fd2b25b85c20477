#!/usr/bin/env bash
# Renders the run window with one and with three thread panes during a real run over a
# temporary tree (offscreen, no display needed) and writes the PNG files to a directory.
#   scripts/render-progress.sh [build directory] [output directory]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
output=${2:-/tmp}
cmake -S . -B "$build" -G Ninja >/dev/null
ninja -C "$build" -j2 progress_render
QT_QPA_PLATFORM=offscreen "$build/tests/progress/progress_render" "$output"
