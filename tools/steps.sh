# Sourced by test.sh and run.sh: runs each step with its output kept in build/logs/, and when a step
# fails, the last lines on screen are that output's end followed by the step's name and exit status.
kv_logs="$root/build/logs"
mkdir -p "$kv_logs"

# step NAME COMMAND [ARGS...]
step() {
  local name=$1 log status start
  shift
  log="$kv_logs/$(printf '%s' "$name" | tr -cs 'A-Za-z0-9' '-' | sed 's/-*$//').log"
  start=$SECONDS
  set +e
  "$@" >"$log" 2>&1
  status=$?
  set -e
  if [ $status -ne 0 ]; then
    tail -n 60 "$log" >&2
    echo "$kv_script: step '$name' failed (exit $status); its whole output is in $log" >&2
    exit $status
  fi
  echo "$kv_script: $name ($((SECONDS - start)) s)"
}

# The CMake build directory for a Windows architecture, configured with that architecture's compiler.
# A directory configured for the other one is started afresh: one tree never mixes both.
configure_win() {
  local dir=$1 arch=$2 toolchain cached
  toolchain="$root/cmake/mingw-$arch.cmake"
  cached=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$dir/CMakeCache.txt" 2>/dev/null || true)
  if [ -n "$cached" ] && [ "$(realpath -m "$cached")" != "$(realpath -m "$toolchain")" ]; then
    rm -rf "$dir"
  fi
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain"
}

# Says which Windows architecture this host builds and runs, and why.
announce_arch() {
  local arch=$1
  if [ -n "${KV_WIN_ARCH:-}" ]; then
    echo "$kv_script: Windows build: $arch (KV_WIN_ARCH)"
  elif [ "$arch" = x86_64 ]; then
    echo "$kv_script: Wine cannot start 32-bit programs: this host runs no 32-bit programs; building x86_64"
  else
    echo "$kv_script: Windows build: i686"
  fi
}
