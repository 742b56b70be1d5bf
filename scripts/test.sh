#!/usr/bin/env bash
# Builds everything and runs every test: the Windows test programs under Wine (ctest), then
# the native fuzz targets for a short, fixed number of runs.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
bash scripts/setup.sh
source scripts/wine-session.sh
trap wine_session_end EXIT
rm -f build/msabi/bin/soak_figures.txt
# One process per test program: ctest also lists each GoogleTest case alone (label "case", for
# `ctest -R`), which under Wine would cost a process start apiece.
ctest --test-dir build --output-on-failure -j1 -LE case | tee build/ctest.log
# The short soak's figures: ctest keeps a passing test's output to itself.
if [ -f build/msabi/bin/soak_figures.txt ]; then cat build/msabi/bin/soak_figures.txt; fi
# The counts of the runs under Wine 10, and what Wine 8 was expected to do otherwise than
# Windows (ctest keeps passing tests' output in its log only).
awk '/^[0-9]+\/[0-9]+ Test: / { name = $3 }
     name ~ /_wine10$/ && /^\[  PASSED  \]/ { print "Wine 10, " name ": " $0 }
     /^\[ WINE 8   \]/ { print name ": " $0 }' build/Testing/Temporary/LastTest.log | uniq
programs=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' build/ctest.log | tail -n 1)
bash fuzz/run.sh | tee build/fuzz.log
fuzzed=$(grep -c '^fuzz: ' build/fuzz.log)
# Reached only when every step passed (set -e): one closing line for the whole run.
echo "tests: $((programs + fuzzed)) passed, 0 failed"
