#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on Debian 12.
# Idempotent: packages already present are skipped, so a second run costs a second.
# Survives a bad mirror: a failed index download is reported and retried, and an install that cannot be
# resolved (security-suite libraries without an indexed i386 twin, say) is retried pinned to the base release.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/winarch.sh"

arch=$(kv_win_arch)
packages=(
  # host build and tests
  cmake ninja-build g++ pkg-config zlib1g-dev googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev libgif-dev giflib-tools mdbtools python3
  # Windows builds: both compilers, so that a 64-bit-only host still compiles what ships
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  # running the program: Wine, a virtual display, fonts and screen tools
  wine wine64 xvfb xauth x11-utils xdotool imagemagick
  fonts-wqy-microhei fonts-liberation
)
# The 32-bit loader only where 32-bit code can run at all; it needs the i386 architecture.
[ "$arch" = i686 ] && packages+=(wine32:i386)

# The second independent reader of database files (.mdb and .accdb), from the npm registry, for the engine's
# reader comparison; without it that comparison uses mdbtools alone and says so.
if [ ! -d "$root/build/oracle/node_modules/mdb-reader" ] && command -v npm >/dev/null 2>&1; then
  mkdir -p "$root/build/oracle"
  npm install --prefix "$root/build/oracle" --no-audit --no-fund mdb-reader@3.2.0 >"$root/build/oracle/npm.log" 2>&1 ||
    echo "setup: mdb-reader could not be installed (build/oracle/npm.log); databases are compared with mdbtools alone" >&2
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

[ "$(id -u)" -eq 0 ] || { echo "setup: run as root to install: ${missing[*]}" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -f "$log"' EXIT

if [ "$arch" = i686 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

# An index that fails to download (a mirror in mid-sync gives "File has unexpected size") leaves the
# other indexes usable, so it is worth a retry but not the end of setup.
updated=no
for attempt in 1 2 3; do
  if apt-get update -q >"$log" 2>&1; then updated=yes; break; fi
  echo "setup: apt-get update failed (attempt $attempt of 3):" >&2
  grep -E '^(E|W):' "$log" | tail -n 5 >&2 || tail -n 5 "$log" >&2
  sleep $((attempt * 5))
done
[ "$updated" = yes ] || echo "setup: going on with the package indexes that did download" >&2

apt_install() { apt-get install -y -q --no-install-recommends "$@" "${missing[@]}" >"$log" 2>&1; }
if ! apt_install; then
  echo "setup: apt-get install failed:" >&2
  tail -n 8 "$log" >&2
  # The update suites can carry amd64 libraries whose i386 twins are not indexed yet; the base
  # release always has matching pairs.
  base=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  echo "setup: retrying with packages pinned to the base release '$base'" >&2
  if ! apt_install -t "$base"; then
    echo "setup: install failed again:" >&2
    tail -n 20 "$log" >&2
    echo "setup: could not install: ${missing[*]}" >&2
    exit 1
  fi
fi
echo "setup: installed ${missing[*]}"
