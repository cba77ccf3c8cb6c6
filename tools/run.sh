#!/usr/bin/env bash
# Builds the program and starts it under Wine (on $DISPLAY, or a private virtual display when there is none).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash tools/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win -j "$(nproc)"
exec tools/winerun build/win/KovraAccess.exe "$@"
