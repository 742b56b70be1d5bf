#!/usr/bin/env bash
# Installs what the build needs (only what is missing), then configures and builds the
# Windows binaries with -j2. Safe to run again; later runs only rebuild what changed.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

packages=(g++-mingw-w64-x86-64-posix wine wine64 cmake ninja-build googletest
          nlohmann-json3-dev libstb-dev fonts-liberation2 fonts-wqy-zenhei clang
          libclang-rt-14-dev imagemagick clang-14 lld-14 llvm-14)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
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

[ -f build/build.ninja ] || cmake --preset windows >/dev/null
cmake --build --preset windows
