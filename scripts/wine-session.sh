#!/usr/bin/env bash
# Source this file: starts a persistent wineserver for the build tree's prefix and boots the
# prefix with every output sent to /dev/null, so Wine's background services never hold the
# pipes of the programs we run. wine_session_end stops it.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
wineserver -p >/dev/null 2>&1 </dev/null || true  # already running is fine
wineboot -i >/dev/null 2>&1 </dev/null || true
wine_session_end() { wineserver -k >/dev/null 2>&1 || true; }
