#!/usr/bin/env bash
# Benchmarks zelvaron-cli against cp, rsync, md5sum and zip: installs the tools, builds a
# Release zelvaron-cli, makes the datasets and runs every scenario (bench/bench.py).
#
#   ZELVARON_BENCH_DIR       datasets and scratch space (default /tmp/zelvaron-bench)
#   ZELVARON_BENCH_BUILD     build directory (default build-bench in the repository)
#   ZELVARON_BENCH_ROUNDS    rounds per scenario (default 3; the fixed cost runs at least 15)
#   ZELVARON_BENCH_ONLY      comma-separated scenario keys, e.g. small-copy,fixed-cost
#   ZELVARON_BENCH_MAX_LOAD  wait while the 1-minute load is above this (default 1.5) ...
#   ZELVARON_BENCH_WAIT_MIN  ... for at most this many minutes (default 30; 0 does not wait)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

scripts/setup.sh

build=${ZELVARON_BENCH_BUILD:-$repo/build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELVARON_WERROR=ON > /dev/null
cmake --build "$build" --target zelvaron-cli -- -j2

export ZELVARON_BENCH_DIR=${ZELVARON_BENCH_DIR:-/tmp/zelvaron-bench}
mkdir -p "$ZELVARON_BENCH_DIR"
# About 2.5 GB of datasets plus up to 2.5 GB of copies at a time.
avail_kib=$(df -Pk "$ZELVARON_BENCH_DIR" | awk 'NR == 2 { print $4 }')
if [ ! -e "$ZELVARON_BENCH_DIR/data/.mixed.v2" ] && [ "$avail_kib" -lt $((6 * 1024 * 1024)) ]; then
  echo "run.sh: $ZELVARON_BENCH_DIR needs about 6 GB free space" >&2
  exit 2
fi
bench/make-datasets.sh

max_load=${ZELVARON_BENCH_MAX_LOAD:-1.5}
wait_min=${ZELVARON_BENCH_WAIT_MIN:-30}
waited=0
while awk -v max="$max_load" '{ exit !($1 > max) }' /proc/loadavg && [ "$waited" -lt "$wait_min" ]; do
  echo "run.sh: load $(cut -d' ' -f1-3 /proc/loadavg) is above $max_load; waiting 2 minutes" >&2
  sleep 120
  waited=$((waited + 2))
done

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')," \
     "$(findmnt -n -o FSTYPE -T "$ZELVARON_BENCH_DIR") under $ZELVARON_BENCH_DIR, $(date -u '+%Y-%m-%d %H:%M UTC')"
ZELVARON_CLI="$build/src/cli/zelvaron-cli" exec python3 bench/bench.py
