#!/usr/bin/env bash
# Renders the main window with a sample project, each of its option pages, its menus and
# context menu, the job entry dialog, the parameter sheet, the countdown and both status windows
# to PNG files (offscreen, no display needed).
#   scripts/render-mainwindow.sh [build directory] [output directory]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
output=${2:-/tmp/zelvaron-mainwindow}
cmake -S . -B "$build" -G Ninja >/dev/null
ninja -C "$build" -j2 mainwindow_render
QT_QPA_PLATFORM=offscreen "$build/tests/mainwindow/mainwindow_render" "$output"
