# Sourced by setup.sh, test.sh, run.sh and winerun: which Windows architecture this host builds, runs and
# tests. The program ships as i686 (the real database engine is 32-bit only), so i686 is the choice
# wherever the kernel can execute 32-bit code; hosts without IA-32 emulation build and test x86_64 under
# 64-bit Wine instead. KV_WIN_ARCH=i686|x86_64 forces the choice.

# A 93-byte i386 Linux program that only calls exit(0). Running it is the one reliable test: the kernel
# refuses it with "Exec format error" when IA-32 emulation is off, whatever the CPU or packages say.
kv_host_runs_i386() {
  local probe status
  probe=$(mktemp) || return 1
  base64 -d > "$probe" <<'ELF'
f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhdAAAAXQAAAAUAAAAAEAAAuAEAAAAx282A
ELF
  chmod +x "$probe"
  "$probe" 2>/dev/null
  status=$?
  rm -f "$probe"
  return $status
}

# Prints i686 or x86_64; a bad KV_WIN_ARCH is an error, not a silent default.
kv_win_arch() {
  case "${KV_WIN_ARCH:-}" in
    i686|x86_64) echo "$KV_WIN_ARCH" ;;
    "") if kv_host_runs_i386; then echo i686; else echo x86_64; fi ;;
    *) echo "KV_WIN_ARCH must be i686 or x86_64, not '$KV_WIN_ARCH'" >&2; return 2 ;;
  esac
}

# The Wine prefix of each kind: a 32-bit prefix cannot run 64-bit programs, and a 64-bit one holds
# 32-bit programs only through a 32-bit loader, which hosts without IA-32 emulation cannot start.
kv_wine_prefix() {
  case "$1" in
    i686) echo "${KV_WINEPREFIX:-$root/build/wineprefix}" ;;
    x86_64) echo "${KV_WINEPREFIX:-$root/build/wineprefix64}" ;;
  esac
}

# The loader is called directly: /usr/bin/wine picks the 32-bit one whenever it is installed.
kv_wine_loader() {
  case "$1" in
    i686) echo /usr/lib/wine/wine ;;
    x86_64) echo /usr/lib/wine/wine64 ;;
  esac
}

# The architecture a Windows program was built for, from its PE header's machine field; empty for
# anything else (a Wine built-in such as cmd or regedit).
kv_pe_arch() {
  local file=$1 lfanew machine
  [ -f "$file" ] && [ "$(head -c 2 "$file" 2>/dev/null)" = MZ ] || return 0
  lfanew=$(od -An -tu4 -j60 -N4 "$file" | tr -d ' ')
  [ "$(od -An -c -j"$lfanew" -N2 "$file" | tr -d ' ')" = PE ] || return 0
  machine=$(od -An -tx2 -j$((lfanew + 4)) -N2 "$file" | tr -d ' ')
  case "$machine" in
    014c) echo i686 ;;
    8664) echo x86_64 ;;
  esac
}
