#!/usr/bin/env bash
# Builds everything and runs every test: host (portable code under ASan+UBSan, fuzz targets over their
# saved corpora) and Windows (under Wine on a private virtual display). Ends with CTest's summary.
# The Windows build is i686, what ships, wherever this host can run 32-bit code; elsewhere it is x86_64
# under 64-bit Wine, and the i686 program is still compiled (not run). KV_WIN_ARCH=i686|x86_64 forces it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
kv_script=test.sh
source tools/winarch.sh
source tools/steps.sh

step "setup" bash tools/setup.sh
arch=$(kv_win_arch)
announce_arch "$arch"

jobs=$(nproc)
step "configure host build" cmake -S . -B build/host -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DKV_SANITIZE=ON -DKV_FUZZ=ON
step "build host" cmake --build build/host -j "$jobs"
step "configure Windows $arch build" configure_win build/win "$arch"
step "build Windows $arch" cmake --build build/win -j "$jobs"
if [ "$arch" != i686 ]; then
  # What ships is i686: every i686 target, tests included, is compiled here too, so that 32-bit breakage (a
  # callback without CALLBACK, say) is caught on hosts that cannot run it. The i686 program's delay-loaded
  # functions are still checked, by the 64-bit test that reads the shipped file (added to CTest below).
  step "configure Windows i686 build (compile only)" configure_win build/win32 i686
  step "build Windows i686 (compile only)" cmake --build build/win32 -j "$jobs"
  step "check the i686 program's imports" cmake -DFILES="build/win32/KovraAccess.exe;build/win32/com/kvjro.dll" \
       -DOBJDUMP="$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' build/win32/CMakeCache.txt)" -P cmake/CheckImports.cmake
fi

# One virtual display and one persistent wineserver for the whole run.
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >"$kv_logs/xvfb.log" 2>&1 &
xvfb=$!
read -r num < "$fifo" || { cat "$kv_logs/xvfb.log" >&2; echo "test.sh: Xvfb did not start" >&2; exit 1; }
rm -f "$fifo"
export DISPLAY=":$num"
export WINEPREFIX; WINEPREFIX=$(kv_wine_prefix "$arch")
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
step "prepare the Wine prefix ($arch)" tools/winerun cmd /c exit 0   # prefix, settings, COM registration
# One wineserver for the whole run, started afresh with no pipe of ours. The services and the desktop
# process that Wine starts with the first programs of a server keep those programs' output open for as
# long as the server lives; had a test started them, CTest would wait for that test's output to end
# until its time-out. So they are started here, by a program whose output goes to a log.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p </dev/null >/dev/null 2>&1 || true
step "start the Wine desktop" tools/winerun build/win/tests/framework/fw_win_smoke_tests.exe --gtest_brief=1

# Both builds' tests in one CTest run, so that one summary closes the output.
printf 'subdirs("host" "win")\n' > build/CTestTestfile.cmake
if [ "$arch" != i686 ]; then
  cat >> build/CTestTestfile.cmake <<EOF
add_test(app_delay_import_tests_i686 "$root/tools/winerun" "$root/build/win/tests/app/app_delay_import_tests.exe" "--gtest_brief=1")
set_tests_properties(app_delay_import_tests_i686 PROPERTIES ENVIRONMENT "KV_DELAY_CHECK_EXE=Z:$root/build/win32/KovraAccess.exe" LABELS win TIMEOUT 180 RESOURCE_LOCK wine_display)
EOF
fi
ctest --test-dir build --output-on-failure -j "$jobs" "$@"
