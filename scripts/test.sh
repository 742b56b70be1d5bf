#!/usr/bin/env bash
# Builds everything and runs every test: the Windows test programs under Wine (ctest), then
# the native fuzz targets for a short, fixed number of runs.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
bash scripts/setup.sh
source scripts/wine-session.sh
trap wine_session_end EXIT
ctest --test-dir build --output-on-failure -j1
if [ -f fuzz/CMakeLists.txt ]; then bash fuzz/run.sh; fi
