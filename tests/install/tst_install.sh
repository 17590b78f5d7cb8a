#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build into a temporary DESTDIR and checks the installed tree: every file, the
# relative link in bin/, the desktop entry and AppStream data (when their validators are
# present), and that the program started through the link finds its texts beside itself.
# Usage: tst_install.sh CMAKE BUILD_DIR MULTIARCH
set -u
cmake=$1 build=$2 arch=$3
prefix=/usr/local
root=$(mktemp -d)
display_pid= game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR="$root/dest" "$cmake" --install "$build" --prefix "$prefix" >"$root/install.log" 2>&1 \
  || { cat "$root/install.log"; fail "cmake --install"; exit 1; }
top="$root/dest$prefix"
programdir="lib/$arch/numbrax"

for f in "$programdir/numbrax" "$programdir/numbrax.txt" "$programdir/readme.txt" \
         share/applications/example.korvessa.numbrax.desktop \
         share/metainfo/example.korvessa.numbrax.metainfo.xml \
         share/icons/hicolor/scalable/apps/numbrax.svg \
         share/icons/hicolor/48x48/apps/numbrax.png share/icons/hicolor/64x64/apps/numbrax.png \
         share/icons/hicolor/128x128/apps/numbrax.png share/icons/hicolor/256x256/apps/numbrax.png \
         share/doc/numbrax/copyright; do
  [ -f "$top/$f" ] || fail "missing $f"
done
[ -x "$top/$programdir/numbrax" ] || fail "the program is not executable"
for size in 48 64 128 256; do
  dims=$(file -b "$top/share/icons/hicolor/${size}x${size}/apps/numbrax.png" 2>/dev/null | grep -o '[0-9]* x [0-9]*')
  [ "$dims" = "$size x $size" ] || fail "the ${size}x${size} icon is $dims"
done

link="$top/bin/numbrax"
if [ ! -L "$link" ]; then
  fail "bin/numbrax is not a link"
else
  target=$(readlink "$link")
  case "$target" in /*) fail "bin/numbrax points to an absolute path: $target" ;; esac
  [ "$(readlink -f "$link")" = "$(readlink -f "$top/$programdir/numbrax")" ] \
    || fail "bin/numbrax leads to $(readlink -f "$link")"
fi

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$top/share/applications/example.korvessa.numbrax.desktop" || fail "desktop entry"
  grep -q '^Categories=Game;BoardGame;$' "$top/share/applications/example.korvessa.numbrax.desktop" \
    || fail "desktop entry categories"
  grep -q '^Name\[ru\]=' "$top/share/applications/example.korvessa.numbrax.desktop" || fail "no Russian name"
else
  echo "desktop-file-validate not present: desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$top/share/metainfo/example.korvessa.numbrax.metainfo.xml" >"$root/as.log" 2>&1 \
    || { cat "$root/as.log"; fail "AppStream metadata"; }
else
  echo "appstreamcli not present: AppStream metadata not validated"
fi

# The program, started through the link, opens the texts beside the real program: a stand-in
# xdg-open on PATH writes down what it is given, and the help menu is worked from the keyboard.
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
  mkdir -p "$root/path"
  cat >"$root/path/xdg-open" <<OPEN
#!/bin/sh
printf '%s\n' "\$1" >> "$root/opened"
OPEN
  chmod +x "$root/path/xdg-open"
  exec 5>"$root/display"
  Xvfb -displayfd 5 -screen 0 800x600x24 >/dev/null 2>&1 &
  display_pid=$!
  for _ in $(seq 100); do [ -s "$root/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n 1 "$root/display")"
  QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 PATH="$root/path:$PATH" "$link" >"$root/game.log" 2>&1 &
  game_pid=$!
  win=
  for _ in $(seq 150); do
    win=$(xdotool search --name '^Numbrax \(Korvessa\)$' 2>/dev/null | head -n 1)
    [ -n "$win" ] && break
    sleep 0.2
  done
  if [ -z "$win" ]; then
    cat "$root/game.log"
    fail "the installed program showed no window"
  else
    eval "$(xdotool getwindowgeometry --shell "$win")"
    # Игра, then right to Помощь, which opens with its first entry (the rules) selected; the
    # readme is the next one down. A busy machine may drop a key while a menu opens, so each
    # entry is tried a few times, the menus closed in between.
    open_help_entry() { # DOWNS EXPECTED
      for _ in 1 2 3; do
        rm -f "$root/opened"
        xdotool mousemove $((X + 15)) $((Y + 10)) click 1
        sleep 0.8
        xdotool key Right
        sleep 0.5
        for _ in $(seq 1 "$1"); do xdotool key Down; sleep 0.2; done
        xdotool key Return
        for _ in $(seq 50); do [ -s "$root/opened" ] && break; sleep 0.1; done
        [ "$(cat "$root/opened" 2>/dev/null)" = "$2" ] && return 0
        xdotool key Escape Escape
        sleep 0.5
      done
      fail "the help menu opened [$(cat "$root/opened" 2>/dev/null)], not [$2]"
    }
    open_help_entry 0 "$(readlink -f "$top/$programdir/numbrax.txt")"
    open_help_entry 1 "$(readlink -f "$top/$programdir/readme.txt")"
  fi
else
  echo "Xvfb or xdotool not present: the installed program was not started"
fi

[ "$failures" -eq 0 ] && echo "install: all checks passed"
exit "$failures"
