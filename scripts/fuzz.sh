#!/usr/bin/env bash
# Fuzzes one target of the portable core with clang's libFuzzer, under
# AddressSanitizer and UBSan, for a chosen time, starting from the committed
# corpus. New inputs go to build/fuzz/corpus/TARGET; with --keep, those that
# reach new code are merged into the committed corpus.
# Usage: fuzz.sh TARGET [SECONDS=60] [--keep]
#   targets: LookupFuzzer GetExtensionFuzzer CommandLineFuzzer WrapFuzzer
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: fuzz.sh TARGET [SECONDS] [--keep]} seconds=${2:-60} keep=${3:-}

need=()
for p in clang-14 libclang-rt-14-dev cmake ninja-build; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "$target"
committed=tests/fuzz/corpus/$target work=build/fuzz/corpus/$target
mkdir -p "$work"
cp -n "$committed"/* "$work"/ 2>/dev/null || true
"build/fuzz/tests/fuzz/$target" "$work" -max_total_time="$seconds" -print_final_stats=1 -max_len=4096
if [ "$keep" = --keep ]; then
  "build/fuzz/tests/fuzz/$target" -merge=1 "$committed" "$work"
fi
