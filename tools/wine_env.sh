# Sourced by play.sh and e2e.sh: a quiet Wine prefix with Japanese fonts, and an
# X display (a virtual one when asked for or when there is none).
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
# A new prefix would offer to install Mono and Gecko: switch both off.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Unix path -> the Windows path Wine gives it on drive Z:.
winpath() { local p; p=$(readlink -f "$1"); p=${p//\//\\}; printf 'Z:%s' "$p"; }

# Wine's own symbol font, which draws the caption buttons. This Wine does not
# load it from its data folder by itself: without it the buttons read "0 1 r".
MARLETT=/usr/share/wine/fonts/marlett.ttf

# Creates (or reuses) the prefix at $1 ("unmanaged" as $2 for a virtual
# display without a window manager), names the Japanese font for the fonts
# the program's resources and message boxes ask for, and registers Wine's
# symbol font for the caption buttons.
prepare_prefix() {
  export WINEPREFIX=$1
  if [ ! -f "$WINEPREFIX/.hanabo-ready-2" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
    local reg="$WINEPREFIX/fonts.reg"
    {
      printf 'Windows Registry Editor Version 5.00\r\n\r\n'
      printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
      for pair in 'MS Shell Dlg=IPAPGothic' 'MS Shell Dlg 2=IPAPGothic' 'MS UI Gothic=IPAPGothic' \
                  'MS PGothic=IPAPGothic' 'MS Gothic=IPAGothic' 'ＭＳ Ｐゴシック=IPAPGothic' \
                  'ＭＳ ゴシック=IPAGothic' 'Tahoma=IPAPGothic' 'System=IPAPGothic'; do
        printf '"%s"="%s"\r\n' "${pair%%=*}" "${pair#*=}"
      done
      if [ -f "$MARLETT" ]; then
        printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\r\n'
        printf '"Marlett (TrueType)"="%s"\r\n' "$(winpath "$MARLETT" | sed 's/\\/\\\\/g')"
      fi
    } | iconv -f UTF-8 -t UTF-16 > "$reg"
    if [ "${2:-}" = unmanaged ]; then
      # Without a window manager Wine draws the caption itself, so that
      # screenshots show the title bar.
      printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n' |
        iconv -f UTF-8 -t UTF-16LE >> "$reg"
    fi
    "$WINE" regedit /S "$(winpath "$reg")" >/dev/null 2>&1 || true
    "$WINESERVER" -w
    touch "$WINEPREFIX/.hanabo-ready-2"
  fi
}

# Starts Xvfb on a free display and exports DISPLAY; XVFB_PID names it.
start_virtual_display() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "The virtual display $DISPLAY did not start." >&2
  return 1
}
