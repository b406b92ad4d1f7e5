#!/usr/bin/env bash
# Builds the portable core optimised and runs its benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench
./build/bench/bench/lookup_bench "$@"
