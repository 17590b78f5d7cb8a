#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build into a temporary DESTDIR and checks the installed tree: every file, the
# relative link in games/, the desktop entry and AppStream data (when their validators are
# present), that the program started through the link finds its texts beside itself and that
# its window's class is the one the desktop entry names. With lintian present, the tree is
# also packed as the Debian packages of the game and the control library, and they are checked.
# Usage: tst_install.sh CMAKE BUILD_DIR
set -u
cmake=$1 build=$2
prefix=/usr/local
root=$(mktemp -d)
game_pid=
. "$(dirname "$0")/../support/private-display.sh"
. "$(dirname "$0")/../support/checks.sh"
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  stop_private_display
  rm -rf "$root"
}
trap cleanup EXIT

DESTDIR="$root/dest" "$cmake" --install "$build" --prefix "$prefix" >"$root/install.log" 2>&1 \
  || { cat "$root/install.log"; fail "cmake --install"; exit 1; }
top="$root/dest$prefix"
programdir="lib/games/numbrax"
entry="$top/share/applications/example.korvessa.numbrax.desktop"

for f in "$programdir/numbrax" "$programdir/numbrax.txt" "$programdir/readme.txt" \
         share/applications/example.korvessa.numbrax.desktop \
         share/metainfo/example.korvessa.numbrax.metainfo.xml \
         share/icons/hicolor/scalable/apps/numbrax.svg \
         share/doc/numbrax/copyright share/doc/numbrax/changelog.gz \
         share/man/man6/numbrax.6.gz share/man/ru/man6/numbrax.6.gz; do
  [ -f "$top/$f" ] || fail "missing $f"
done
[ -x "$top/$programdir/numbrax" ] || fail "the program is not executable"
for size in 16 22 24 32 48 64 128 256; do
  dims=$(file -b "$top/share/icons/hicolor/${size}x${size}/apps/numbrax.png" 2>/dev/null | grep -o '[0-9]* x [0-9]*')
  [ "$dims" = "$size x $size" ] || fail "the ${size}x${size} icon is [$dims]"
done
# Compressed as Debian wants them: no name or time stored (so the same text always gives the
# same bytes) and the maximum level.
for f in share/doc/numbrax/changelog.gz share/man/man6/numbrax.6.gz share/man/ru/man6/numbrax.6.gz; do
  [ "$(od -An -tx1 -j3 -N6 "$top/$f" 2>/dev/null | tr -d ' ')" = "000000000002" ] \
    || fail "$f is not compressed with gzip -n -9"
done
zcat "$top/share/doc/numbrax/changelog.gz" 2>/dev/null | head -n 1 | grep -q '^numbrax (1\.0\.0) ' \
  || fail "the changelog does not begin with this version"
if command -v man >/dev/null; then
  for page in share/man/man6/numbrax.6.gz share/man/ru/man6/numbrax.6.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$top/$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
  done
  LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$top/share/man/ru/man6/numbrax.6.gz" 2>/dev/null | grep -q 'числовая игра' \
    || fail "the Russian manual page does not read in Russian"
fi

link="$top/games/numbrax"
if [ ! -L "$link" ]; then
  fail "games/numbrax is not a link"
else
  target=$(readlink "$link")
  case "$target" in /*) fail "games/numbrax points to an absolute path: $target" ;; esac
  [ "$(readlink -f "$link")" = "$(readlink -f "$top/$programdir/numbrax")" ] \
    || fail "games/numbrax leads to $(readlink -f "$link")"
fi

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "desktop entry"
  grep -q '^Categories=Game;BoardGame;$' "$entry" || fail "desktop entry categories"
  grep -q '^Name\[ru\]=' "$entry" || fail "no Russian name"
else
  echo "desktop-file-validate not present: desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --pedantic --no-net "$top/share/metainfo/example.korvessa.numbrax.metainfo.xml" >"$root/as.log" 2>&1 \
    || { cat "$root/as.log"; fail "AppStream metadata"; }
  # Infos may stay (the maker's domain lies under the reserved .example), nothing graver.
  grep -E '^[EW]:' "$root/as.log" && fail "AppStream metadata: errors or warnings"
else
  echo "appstreamcli not present: AppStream metadata not validated"
fi

# The program, started through the link, opens the texts beside the real program: a stand-in
# xdg-open on PATH writes down what it is given, and the help menu is worked from the keyboard.
if command -v Xvfb >/dev/null && command -v xdpyinfo >/dev/null && command -v xdotool >/dev/null; then
  mkdir -p "$root/path"
  cat >"$root/path/xdg-open" <<OPEN
#!/bin/sh
printf '%s\n' "\$1" >> "$root/opened"
OPEN
  chmod +x "$root/path/xdg-open"
  start_private_display "$root" 800x600x24 || fail "no X display"
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
    # The desktop ties the window to its entry through the window's class.
    wm_class=$(xprop -id "$win" WM_CLASS 2>/dev/null | sed -n 's/.*= "\([^"]*\)", "\([^"]*\)"$/\2/p')
    startup_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
    [ -n "$wm_class" ] && [ "$wm_class" = "$startup_class" ] \
      || fail "the window's class [$wm_class] is not the desktop entry's StartupWMClass [$startup_class]"
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
  echo "Xvfb, xdpyinfo or xdotool not present: the installed program was not started"
fi

# The Debian packages of the same build, checked as the archive would check them. Packing and
# checking take some 30 seconds, most of it lintian's own start.
if command -v lintian >/dev/null; then
  cpack=$(dirname "$cmake")/cpack
  [ -x "$cpack" ] || cpack=cpack
  (cd "$build" && "$cpack" -B "$root/package" >"$root/cpack.log" 2>&1) || { cat "$root/cpack.log"; fail "cpack"; }
  package() { ls "$root"/package/"$1"_*.deb 2>/dev/null | head -n 1; }
  field() { dpkg-deb -f "$1" "$2"; }
  game=$(package numbrax) runtime=$(package libkavocontrols1) sound=$(package libkavosound1)
  dev=$(package libkavocontrols-dev) plugin=$(package kavocontrols-designer-plugin) forms=$(package libkavoforms1)
  if [ -z "$game" ] || [ -z "$runtime" ] || [ -z "$sound" ] || [ -z "$forms" ] || [ -z "$dev" ] || [ -z "$plugin" ]; then
    fail "not every package was built: $(cd "$root/package" && ls ./*.deb 2>/dev/null | tr '\n' ' ')"
  else
    dpkg-deb -c "$game" | grep ' \./usr/games/numbrax -> ' >/dev/null || fail "the package has no /usr/games/numbrax"
    # The game's package carries the game alone: what belongs to the library's packages would
    # clash with them when both are installed.
    dpkg-deb -c "$game" | grep -E '\./usr/(include|lib/x86_64-linux-gnu)/' && fail "the game's package holds library files"
    for deb in "$runtime" "$sound" "$forms"; do
      [ "$(field "$deb" Section)" = libs ] || fail "$(basename "$deb"): section [$(field "$deb" Section)]"
    done
    [ "$(field "$dev" Section)" = libdevel ] || fail "libkavocontrols-dev: section [$(field "$dev" Section)]"
    # Programs linked with the libraries depend on the right package through its shlibs file.
    shlibs=$(dpkg-deb --ctrl-tarfile "$runtime" | tar -xO ./shlibs 2>/dev/null)
    for library in libKavoControls libKavoPickers; do
      grep -qx "$library 1 libkavocontrols1 (>= 1.0.0)" <<<"$shlibs" || fail "shlibs of libkavocontrols1 lack $library: [$shlibs]"
    done
    dpkg-deb --ctrl-tarfile "$sound" | tar -xO ./shlibs 2>/dev/null | grep -qx 'libKavoSound 1 libkavosound1 (>= 1.0.0)' \
      || fail "shlibs of libkavosound1"
    dpkg-deb --ctrl-tarfile "$forms" | tar -xO ./shlibs 2>/dev/null | grep -qx 'libKavoForms 1 libkavoforms1 (>= 1.0.0)' \
      || fail "shlibs of libkavoforms1"
    dpkg-deb -c "$forms" | grep -q ' \./usr/lib/x86_64-linux-gnu/libKavoForms\.so\.1\.0\.0$' \
      || fail "libkavoforms1 has no libKavoForms.so.1.0.0"
    # Only the sound library's package brings Qt Multimedia; it needs the controls of its version.
    grep -q libqt6multimedia <<<"$(field "$runtime" Depends)" && fail "libkavocontrols1 depends on Qt Multimedia"
    # Only the form writer's package brings Qt's Designer library.
    for deb in "$runtime" "$sound"; do
      grep -q libqt6designer <<<"$(field "$deb" Depends)" && fail "$(basename "$deb") depends on Qt Designer's library"
    done
    for needed in 'libkavocontrols1 (= 1.0.0)' libqt6designer6; do
      grep -qF "$needed" <<<"$(field "$forms" Depends)" || fail "libkavoforms1 does not depend on $needed: [$(field "$forms" Depends)]"
    done
    grep -q 'libkavocontrols1 (= 1.0.0)' <<<"$(field "$sound" Depends)" || fail "libkavosound1: Depends [$(field "$sound" Depends)]"
    for needed in 'libkavocontrols1 (= 1.0.0)' 'libkavosound1 (= 1.0.0)' 'libkavoforms1 (= 1.0.0)' qt6-base-dev; do
      grep -qF "$needed" <<<"$(field "$dev" Depends)" || fail "libkavocontrols-dev does not depend on $needed"
    done
    # The form writer's header wants Qt's Designer headers, which the rest of the library does not.
    grep -qF qt6-tools-dev <<<"$(field "$dev" Suggests)" || fail "libkavocontrols-dev does not suggest qt6-tools-dev"
    grep -qF qt6-tools-dev <<<"$(field "$dev" Depends)" && fail "libkavocontrols-dev forces qt6-tools-dev on every program"
    # The plugin lies where Debian's Designer looks, and needs the libraries of its version.
    dpkg-deb -c "$plugin" | grep -q ' \./usr/lib/x86_64-linux-gnu/qt6/plugins/designer/libkavocontrolswidgets\.so$' \
      || fail "the plugin's package has no plugin in Designer's folder"
    grep -q 'libkavocontrols1 (= 1.0.0)' <<<"$(field "$plugin" Depends)" || fail "the plugin's package: Depends [$(field "$plugin" Depends)]"
    lintian_clean "$root/lintian.log" "$game" "$runtime" "$sound" "$forms" "$dev" "$plugin"
  fi
else
  echo "lintian not present: the packages were not checked"
fi

[ "$failures" -eq 0 ] && echo "install: all checks passed"
exit "$failures"
