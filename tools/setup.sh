#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing need, if missing.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine64 xvfb x11-utils fonts-ipafont-gothic imagemagick locales zip unzip
)
# The browser engine that reads the help page as a player's browser would:
# without its recommendations (desktop services a headless run never uses).
browser_packages=(chromium)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"
  elif command -v sudo >/dev/null; then sudo "$@"
  else echo "This step needs root: $*" >&2; exit 1
  fi
}

# Wine takes its code page from the locale: ja_JP.UTF-8 gives code page 932.
ensure_japanese_locale() {
  locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' && return 0
  as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
}

missing_of() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_browser < <(missing_of "${browser_packages[@]}")
if [ $((${#missing[@]} + ${#missing_browser[@]})) -gt 0 ]; then
  echo "Installing: ${missing[*]} ${missing_browser[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -q
  [ ${#missing[@]} -eq 0 ] || as_root apt-get install -y -q "${missing[@]}"
  [ ${#missing_browser[@]} -eq 0 ] || as_root apt-get install -y -q --no-install-recommends "${missing_browser[@]}"
fi
ensure_japanese_locale
