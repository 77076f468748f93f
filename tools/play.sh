#!/usr/bin/env bash
# Starts Hanabo32 (x86_64) under wine64 in a working directory of its own, with
# the Japanese locale and font. Without an X display it runs the game on a
# virtual display for a few seconds and leaves a screenshot.
set -euo pipefail
win=$(readlink -f "${1:-build/win64}")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_env.sh"

# The program keeps its settings, records and saved games in its working
# directory: give it one that survives rebuilds, with the shipped files beside it.
play_dir=$(readlink -f "$win/..")/play
mkdir -p "$play_dir"
cp "$win/Hanabo32.exe" "$play_dir/"
[ -d "$here/../resources/ship" ] && cp -r "$here/../resources/ship/." "$play_dir/" 2>/dev/null || true

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  echo "No X display: running Hanabo32 on a virtual display for a screenshot."
  echo "To play, run 'make play' in a desktop session (or with DISPLAY set, e.g. over ssh -X)."
  start_virtual_display
  prepare_prefix "$(readlink -f "$win/..")/wine-headless" unmanaged
  trap '"$WINESERVER" -k 2>/dev/null || true; kill "$XVFB_PID" 2>/dev/null || true' EXIT
  (cd "$play_dir" && "$WINE" Hanabo32.exe >/dev/null 2>&1 &)
  sleep 6
  shot="$play_dir/screenshot.png"
  import -window root "$shot"
  echo "Screenshot: $shot"
  exit 0
fi

prepare_prefix "$(readlink -f "$win/..")/wine"
echo "Hanabo32 keeps its files in $play_dir"
cd "$play_dir"
exec "$WINE" Hanabo32.exe
