#!/usr/bin/env bash
# Runs one Windows program under Wine 10 (scripts/wine10-session.sh) in a session of its
# own, which ends with it, also on failure.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$here/scripts/wine10-session.sh" || exit 1
trap wine10_session_end EXIT
wine10 wine64 "$@"
