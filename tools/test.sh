#!/usr/bin/env bash
# Builds everything and runs every test: host (portable code under ASan+UBSan, fuzz targets over their
# saved corpora) and Windows (under Wine on a private virtual display). Ends with CTest's summary.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash tools/setup.sh

jobs=$(nproc)
cmake -S . -B build/host -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DKV_SANITIZE=ON -DKV_FUZZ=ON >/dev/null
cmake --build build/host -j "$jobs"
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win -j "$jobs"

# One virtual display and one persistent wineserver for the whole run.
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r num < "$fifo"; rm -f "$fifo"
export DISPLAY=":$num"
export WINEPREFIX="$root/build/wineprefix"
cleanup() {
  WINEPREFIX="$root/build/wineprefix" wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
tools/winerun cmd /c exit 0 >/dev/null 2>&1   # prefix and COM registration, once
WINEPREFIX="$root/build/wineprefix" wineserver -p 2>/dev/null || true   # infinite persistence; harmless if running
# Start the Wine desktop with one window-creating process before tests run in parallel: two first GUI
# processes starting it at the same moment can hang.
tools/winerun build/win/tests/framework/fw_win_smoke_tests.exe >/dev/null 2>&1 || true

# Both builds' tests in one CTest run, so that one summary closes the output.
printf 'subdirs("host" "win")\n' > build/CTestTestfile.cmake
ctest --test-dir build --output-on-failure -j "$jobs" "$@"
