#!/usr/bin/env bash
# Writes the release: one zip with a folder Hanabo32\ holding the 32-bit
# program and everything it ships (tile sets, the Sound folder, the music, the
# help file) and the read-me files, Japanese (Shift-JIS) and English.
set -euo pipefail
win32=$(readlink -f "${1:-build/win32}")
zip_path=$(readlink -m "${2:-build/Hanabo32.zip}")
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(readlink -f "$here/..")

exe="$win32/Hanabo32.exe"
[ -f "$exe" ] || { echo "dist: $exe is missing: run make win32 first" >&2; exit 1; }

stage=$(mktemp -d /tmp/hanabo-dist.XXXXXX)
trap 'rm -rf "$stage"' EXIT
folder="$stage/Hanabo32"
mkdir -p "$folder/Sound"
i686-w64-mingw32-strip -o "$folder/Hanabo32.exe" "$exe"
find "$source_dir/resources/ship" -maxdepth 1 -type f -exec cp {} "$folder/" \;
cp "$source_dir/resources/ship/Sound/"* "$folder/Sound/"
cp "$source_dir/resources/dist/Readme.txt" "$source_dir/resources/dist/ReadmeE.txt" "$folder/"
# The same bytes give the same zip: fixed times, no extra attributes.
find "$folder" -exec touch -h -d '2000-01-01 00:00:00' {} +
mkdir -p "$(dirname "$zip_path")"
rm -f "$zip_path"
(cd "$stage" && find Hanabo32 | LC_ALL=C sort | zip -X -q -D "$zip_path" -@)
echo "dist: $zip_path"
unzip -l "$zip_path" | tail -n +4 | head -n -2 | awk '{print "  " $4 " (" $1 " bytes)"}'
