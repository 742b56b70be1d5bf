#!/usr/bin/env bash
# Builds everything, then runs the benchmarks under Wine and prints their table (Markdown).
# Arguments go to the benchmark program: --runs N, --scale X, --only idle|own|text|fit|host
# (and steps|hostile|companion, asked for by name only).
# Timings depend on the machine and its load; they are recorded by hand in bench/RESULTS.md.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
bash scripts/setup.sh
source scripts/wine-session.sh
trap wine_session_end EXIT
scripts/wine-run.sh build/bin/vanto_bench.exe "$@"
