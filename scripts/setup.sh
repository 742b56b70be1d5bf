#!/usr/bin/env bash
# Installs what the build needs (only what is missing), then configures and builds the
# Windows binaries with -j2. Safe to run again; later runs only rebuild what changed.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

packages=(g++-mingw-w64-x86-64-posix wine wine64 cmake ninja-build googletest
          nlohmann-json3-dev libstb-dev fonts-liberation2 fonts-wqy-zenhei clang
          libclang-rt-14-dev imagemagick clang-14 lld-14 llvm-14 libcpp-httplib-dev dpkg-dev xz-utils
          ffmpeg chromium curl)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The browser test's driver comes from npm; any Node.js 18 or newer will do.
command -v npm >/dev/null || missing+=(nodejs npm)
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The shipped binaries are built with LLVM 14 (cmake/clang-msabi-x86_64.cmake names it).
if ! clang++-14 --version | grep -q 'clang version 14\.'; then
  echo "setup: clang++-14 is not LLVM 14" >&2
  exit 1
fi

# cpp-httplib for the Windows build. Debian's libcpp-httplib-dev ships it split into a header
# of declarations and a Linux library; the companion needs the single header, so it comes
# from the source package of the same Debian version, unpacked by apt-get source (which
# applies Debian's patches), with deb-src entries made from this machine's own apt sources.
stage_httplib() {
  local version dest=build/third_party/httplib
  version=$(dpkg-query -W -f='${Version}' libcpp-httplib-dev)
  [ -f "$dest/httplib.h" ] && [ "$(cat "$dest/VERSION" 2>/dev/null)" = "$version" ] && return 0
  echo "setup: fetching the cpp-httplib $version source package"
  local work=$PWD/build/third_party/httplib-source
  rm -rf "$work" && mkdir -p "$work/parts" "$work/lists/partial" "$work/cache/archives/partial"
  sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list 2>/dev/null > "$work/sources.list" || true
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" > "$work/parts/$(basename "$f")"
  done
  for f in /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && sed -n 's/^deb \(.*\)/deb-src \1/p' "$f" >> "$work/sources.list"
  done
  local apt=(apt-get -qq -o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts="$work/parts"
             -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" -o APT::Sandbox::User=root)
  "${apt[@]}" update >/dev/null || echo "setup: some source indexes did not download; trying anyway"
  (cd "$work" && "${apt[@]}" source "cpp-httplib=$version" >/dev/null)
  mkdir -p "$dest" && cp "$work"/cpp-httplib-*/httplib.h "$dest/" && echo "$version" > "$dest/VERSION"
  rm -rf "$work"
}
stage_httplib

# The tests that draw also run under Wine 10, from a Debian 13 root shared by every clone
# on this machine (made once, a few minutes).
bash scripts/wine10-root.sh >/dev/null

[ -f build/build.ninja ] || cmake --preset windows >/dev/null
cmake --build --preset windows
