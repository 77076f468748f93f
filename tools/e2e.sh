#!/usr/bin/env bash
# Runs the end-to-end tests: the real Hanabo32 (x86_64) under wine64 on a virtual
# display, driven by the Windows test runner hanabo_e2e.exe.
set -euo pipefail
win=$(readlink -f "${1:-build/win64}")
native=$(readlink -f "${2:-build/native}")
# The release zip (an optional third argument ending in .zip): unpacked into
# a fresh folder, where a test plays. Other arguments go to the test runner.
dist_zip=""
case "${3:-}" in *.zip) dist_zip=$3 ;; esac
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_env.sh"

artifacts="$win/e2e-artifacts"
rm -rf "$artifacts"; mkdir -p "$artifacts"
# One prefix per run, made once, so every start of the program is quick.
prefix=$(mktemp -d /tmp/hanabo-wine.XXXXXX)
# A small disk that a test fills to the last byte, to see the program meet a
# full disk. Mounting it needs root; without it that test is skipped.
full_disk=$(mktemp -d /tmp/hanabo-full-disk.XXXXXX)
cleanup() {
  "$WINESERVER" -k 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  umount "$full_disk" 2>/dev/null || true
  rmdir "$full_disk" 2>/dev/null || true
  rm -rf "$prefix"
  if [ -n "${unpacked:-}" ]; then rm -rf "$unpacked"; fi
}
trap cleanup EXIT
if mount -t tmpfs -o size=256k,mode=0777 tmpfs "$full_disk" 2>/dev/null; then
  export HANABO_FULL_DISK
  HANABO_FULL_DISK=$(winpath "$full_disk")
else
  echo "No small disk could be mounted: the full-disk test is skipped."
fi

start_virtual_display
prepare_prefix "$prefix" unmanaged

# What the program plays through ALSA lands in one file: a HOME of its own
# whose .asoundrc sends the default device there (fonts keep their cache).
export XDG_CACHE_HOME=${XDG_CACHE_HOME:-$HOME/.cache}
export HOME="$prefix/home" HANABO_CAPTURE
mkdir -p "$HOME"
capture="$prefix/capture.raw"
printf 'pcm.!default { type file slave.pcm "null" file "%s" format "raw" }\n' "$capture" > "$HOME/.asoundrc"
HANABO_CAPTURE=$(winpath "$capture")

# The release, unpacked as a player would. wine64 cannot run the 32-bit
# program it holds, so the 64-bit build of the same source stands in for it,
# once the zip's own program has shown itself to be the 32-bit one.
export HANABO_DIST=""
if [ -n "$dist_zip" ]; then
  # A folder of its own, outside the Wine prefix, as a player's would be.
  unpacked=$(mktemp -d /tmp/hanabo-release.XXXXXX)
  unzip -q "$dist_zip" -d "$unpacked"
  shipped="$unpacked/Hanabo32/Hanabo32.exe"
  pe=$(od -An -tu4 -j60 -N4 "$shipped" | tr -d ' ')
  machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$shipped" | tr -d ' ')
  if [ "$machine" != "014c" ]; then
    echo "The release's Hanabo32.exe is not a 32-bit (i386) program (machine $machine)." >&2
    exit 1
  fi
  cp "$win/Hanabo32.exe" "$shipped"
  HANABO_DIST=$(winpath "$unpacked/Hanabo32")\\
fi

export HANABO_EXE HANABO_ARTIFACTS HANABO_TOOL
HANABO_EXE=$(winpath "$win/Hanabo32.exe")
HANABO_ARTIFACTS=$(winpath "$artifacts")
HANABO_TOOL=$(winpath "$win/hanabo-tool.exe")
log="$artifacts/e2e.log"
status=0
"$WINE" "$win/hanabo_e2e.exe" "$@" 2>&1 | tr -d '\r' | tee "$log" || status=$?

# Screenshots as PNG for people to look at.
for bmp in "$artifacts"/*.bmp; do
  [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null || true
done
passed=$(grep -c '^\[       OK \]' "$log" || true)
failed=$(grep -c '^\[  FAILED  \] [A-Za-z]*\.[A-Za-z]* (' "$log" || true)
[ "$status" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1
echo "end-to-end: $passed passed, $failed failed"
exit "$status"
