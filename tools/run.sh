#!/usr/bin/env bash
# Builds the program and starts it under Wine (on $DISPLAY, or a private virtual display when there is none).
# The program is built for what this host runs: i686, what ships, or x86_64 where 32-bit code cannot run
# (KV_WIN_ARCH=i686|x86_64 forces it).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
kv_script=run.sh
source tools/winarch.sh
source tools/steps.sh

step "setup" bash tools/setup.sh
arch=$(kv_win_arch)
announce_arch "$arch"
step "configure Windows $arch build" configure_win build/win "$arch"
step "build the program" cmake --build build/win -j "$(nproc)" --target KovraAccess kvjro
exec tools/winerun build/win/KovraAccess.exe "$@"
