#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on Debian 12.
# Idempotent: packages already present are skipped, so a second run costs a second.
set -euo pipefail

packages=(
  # host build and tests
  cmake ninja-build g++ pkg-config zlib1g-dev googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev libgif-dev giflib-tools mdbtools python3
  # Windows build
  g++-mingw-w64-i686-posix libz-mingw-w64-dev
  # running the program: Wine, a virtual display, fonts and screen tools
  wine wine32 xvfb xauth x11-utils xdotool imagemagick
  fonts-wqy-microhei fonts-liberation
)

missing=()
for p in "${packages[@]}"; do
  arch_p="$p"
  [ "$p" = wine32 ] && arch_p="wine32:i386"
  dpkg-query -W -f='${Status}' "$arch_p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$arch_p")
done

if [ ${#missing[@]} -gt 0 ]; then
  [ "$(id -u)" -eq 0 ] || { echo "setup: run as root to install: ${missing[*]}" >&2; exit 1; }
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
