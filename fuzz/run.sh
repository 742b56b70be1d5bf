#!/usr/bin/env bash
# Builds the block-parsing fuzz targets natively with clang and runs each for a bounded
# number of runs and time, starting from the seed corpus. Exits non-zero on a crash.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
build=${FUZZ_BUILD_DIR:-build/fuzz}
runs=${FUZZ_RUNS:-200000}
seconds=${FUZZ_SECONDS:-30}

cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 >/dev/null

for target in text style; do
  work="$build/corpus/$target"   # new inputs go here, the seeds in the repo stay as they are
  mkdir -p "$work"
  log="$build/${target}_block.log"
  if ! "$build/fuzz_${target}_block" -runs="$runs" -max_total_time="$seconds" -max_len=2049 \
       -artifact_prefix="$build/${target}_" "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz: ${target} block target failed (log: $log)"
    exit 1
  fi
  done_line=$(grep -E '^Done [0-9]+ runs' "$log" | tail -n 1 || true)
  echo "fuzz: ${target} block: ${done_line:-finished} ($(ls "$work" | wc -l) new inputs kept)"
done
