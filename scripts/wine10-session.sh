#!/usr/bin/env bash
# Source this file: Windows programs under Wine 10, from the Debian 13 root that
# scripts/wine10-root.sh makes, with a prefix of its own in the build tree.
#   wine10 COMMAND...   runs a command of the root (wine64, wineserver, ffprobe...) there,
#                       in the current folder; the source tree has the same path inside
#   wine10_session_end  stops its wineserver and takes its mounts away
# The root's /proc, /dev and the source tree are mounted in a mount namespace of its own,
# held by one process while this shell lives: the host's mounts never change, and the
# namespace ends with the last process in it, also when this shell is killed.
wine10_here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine10_root=$(bash "$wine10_here/scripts/wine10-root.sh" --check) || return 1
wine10_prefix=${WINE10_PREFIX:-$wine10_here/build/wineprefix-wine10}
mkdir -p "$wine10_prefix"
exec {wine10_ready}< <(unshare --mount --propagation private bash -c '
  set -e
  mount -t proc proc "$1/proc"
  mount --rbind /dev "$1/dev"
  mkdir -p "$1$2"
  mount --bind "$2" "$1$2"
  echo ready
  while kill -0 "$3" 2>/dev/null; do sleep 1; done' _ "$wine10_root" "$wine10_here" "$$" 2>&1)
wine10_holder=$!
read -r -u "$wine10_ready" wine10_answer || true
exec {wine10_ready}<&-
if [ "$wine10_answer" != ready ]; then
  echo "wine10: could not mount the root: $wine10_answer" >&2
  return 1
fi

wine10() {
  nsenter --target "$wine10_holder" --mount -- chroot "$wine10_root" /usr/bin/env -i \
    HOME=/root PATH=/usr/lib/wine:/usr/bin:/bin LANG="${LANG:-C.UTF-8}" \
    WINEPREFIX="$wine10_prefix" WINEDEBUG="${WINEDEBUG:--all}" \
    WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}" \
    /bin/sh -c 'cd "$0" && exec "$@"' "$PWD" "$@"
}
wine10_session_end() {
  wine10 wineserver -k >/dev/null 2>&1 || true
  kill "$wine10_holder" 2>/dev/null || true
  wait "$wine10_holder" 2>/dev/null || true
}

# A booted prefix, its output nowhere. The wineserver is not persistent: it ends shortly
# after the last program, so nothing outlives a killed session.
wine10 wine64 wineboot -i >/dev/null 2>&1 </dev/null || true
