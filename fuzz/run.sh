#!/usr/bin/env bash
# Builds the fuzz targets of every parser of untrusted input natively with clang and runs each
# for a bounded number of runs and time, starting from the seed corpus and the deep seeds.
# Exits non-zero on a finding. FUZZ_RUNS, FUZZ_SECONDS and FUZZ_ONLY (one target) for long runs.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
build=${FUZZ_BUILD_DIR:-build/fuzz}
seconds=${FUZZ_SECONDS:-30}

cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 >/dev/null
rm -rf "$build/seeds" && bash fuzz/deep_seeds.sh "$build/seeds"

# target, seed folder, longest input while fuzzing, dictionary, runs in CI. Blocks are 2048
# bytes; short inputs keep the rest fast, and the deep seeds (up to the companion's 64 KiB
# limit) are run whole first.
targets=(
  "text_block text 2049 - 200000"
  "style_block style 2049 - 200000"
  "event_line event_line 4096 fuzz/json.dict 100000"
  "event_body event_body 4096 fuzz/json.dict 100000"
  "settings settings 4096 fuzz/json.dict 100000"
  "style_body style_body 4096 fuzz/json.dict 100000"
  "publish_script publish_script 4096 fuzz/script.dict 100000"
  "scene_collection scene_collection 4096 fuzz/json.dict 100000"
)
# A 1 MiB stack as a Windows thread gets by default, so deep recursion shows as it would there;
# an input may take 10 s, 64 MiB in one allocation and 1 GiB in all.
run_target() { (ulimit -s 1024 && exec "$@" -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=64); }
failed() { tail -n 40 "$2"; echo "fuzz: $1 target failed (log: $2)"; exit 1; }

for row in "${targets[@]}"; do
  read -r target seeds max_len dict runs <<<"$row"
  [ -z "${FUZZ_ONLY:-}" ] || [ "$FUZZ_ONLY" = "$target" ] || continue
  runs=${FUZZ_RUNS:-$runs}
  log="$build/${target}.log"
  deep=("$build/seeds/$seeds"/*)
  deep_figure=""
  if [ -e "${deep[0]}" ]; then
    run_target "$build/fuzz_$target" -artifact_prefix="$build/${target}_" "${deep[@]}" >"$log" 2>&1 ||
      failed "$target" "$log"
    slowest=$(sed -n 's/^Executed .* in \([0-9]*\) ms$/\1/p' "$log" | sort -n | tail -n 1)
    deep_figure="; ${#deep[@]} deep seeds, slowest ${slowest} ms"
  fi
  work="$build/corpus/$seeds"   # new inputs go here, the seeds in the repo stay as they are
  mkdir -p "$work"
  options=(-runs="$runs" -max_total_time="$seconds" -max_len="$max_len" -artifact_prefix="$build/${target}_")
  [ "$dict" = - ] || options+=(-dict="$dict")
  run_target "$build/fuzz_$target" "${options[@]}" "$work" "fuzz/corpus/$seeds" >"$log" 2>&1 ||
    failed "$target" "$log"
  done_line=$(grep -E '^Done [0-9]+ runs' "$log" | tail -n 1 || true)
  echo "fuzz: ${target}: ${done_line:-finished} ($(ls "$work" | wc -l) new inputs kept${deep_figure})"
done
