#!/usr/bin/env bash
# The long soak: the headless host's frame loop runs four text sources in two scenes for
# 10,000 frames (or VANTO_SOAK_FRAMES) while a second process rewrites both blocks of both
# scenes every millisecond, one block in ten hostile. Prints the figures at the end; the
# test command runs the same soak in a short form. Takes about 25 minutes.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
bash scripts/setup.sh
source scripts/wine-session.sh
trap wine_session_end EXIT
cd build/msabi/bin
VANTO_SOAK_FRAMES=${VANTO_SOAK_FRAMES:-10000} "$here/scripts/wine-run.sh" soak_run_test.exe \
  --producer '..\..\bin\soak_producer.exe'
