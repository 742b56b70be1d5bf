#!/usr/bin/env bash
# Makes, once per machine, a Debian 13 root whose Wine 10 draws closer to Windows than
# Debian 12's Wine 8 (alignment in extents, outlines of every line), and prints its path.
# It lives outside any build tree, so every clone on the machine shares it; it is made
# again only when missing or when its package list below changes.
# With --check it only prints the path of a root that is ready, or fails.
set -euo pipefail
root=${VANTO_WINE10_ROOT:-/var/cache/hollin-vanto/trixie-wine10}
# Fonts the pictures are drawn with, and ffmpeg for the headless host's animations.
packages=(wine64 fonts-wqy-zenhei fonts-liberation2 ffmpeg)
want="trixie minbase ${packages[*]}"

if [ "${1:-}" = --check ]; then
  [ "$(cat "$root/etc/vanto-packages" 2>/dev/null)" = "$want" ] ||
    { echo "wine10: no Wine 10 root in $root; bash scripts/setup.sh makes it" >&2; exit 1; }
  echo "$root"
  exit 0
fi
mkdir -p "$(dirname "$root")"
exec 9>"$root.lock"
flock 9  # two clones setting up at once make it once
if [ "$(cat "$root/etc/vanto-packages" 2>/dev/null)" != "$want" ]; then
  command -v debootstrap >/dev/null || {
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
  }
  # The same Debian mirror as this machine's apt sources (debootstrap's own if none).
  mirror=$(cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null |
           sed -n 's/^URIs: *\([^ ]*\).*/\1/p; s/^deb \(\[[^]]*\] \)\?\([^ ]*\).*/\2/p' |
           grep -v security | head -n 1) || true
  echo "wine10-root: making a Debian 13 root with Wine 10 in $root (a few minutes, once)" >&2
  new=$root.new
  rm -rf --one-file-system "$new"
  debootstrap --variant=minbase trixie "$new" ${mirror:+"$mirror"} >"$root.log" 2>&1 ||
    { tail -n 20 "$root.log" >&2; exit 1; }
  cp /etc/resolv.conf "$new/etc/resolv.conf"
  # A private mount namespace: /proc goes away with the install, whatever happens.
  unshare --mount --propagation private bash -c '
    mount -t proc proc "$1/proc"
    chroot "$1" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${@:2}"
  ' _ "$new" "${packages[@]}" >>"$root.log" 2>&1 || { tail -n 20 "$root.log" >&2; exit 1; }
  chroot "$new" apt-get clean
  echo "$want" > "$new/etc/vanto-packages"
  rm -rf --one-file-system "$root" && mv "$new" "$root"
fi
echo "$root"
