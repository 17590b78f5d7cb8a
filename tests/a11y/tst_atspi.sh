#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the game on a private X display and a private D-Bus session with Qt's AT-SPI bridge
# on, and reads it as a screen reader would (atspi_reader.py). Exit 77 (skipped) when the
# tools are missing; scripts/setup installs them.
# Usage: tst_atspi.sh GAME
set -u
game=$1
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3
for tool in Xvfb xdotool dbus-run-session "$python"; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 77; }
done
"$python" -c "import gi; gi.require_version('Atspi', '2.0')" 2>/dev/null || { echo "missing gir1.2-atspi-2.0"; exit 77; }

root=$(mktemp -d)
display_pid=
cleanup() {
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT

exec 5>"$root/display"
# -noreset: the server would otherwise restart when the readiness probe leaves, and refuse the
# game for that moment.
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
display_pid=$!
for _ in $(seq 100); do [ -s "$root/display" ] && break; sleep 0.1; done
[ -s "$root/display" ] || { echo "FAIL: no X display"; exit 1; }
export DISPLAY=":$(head -n 1 "$root/display")"
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# The session bus lives as long as the reader; the accessibility bus it starts on demand, and
# everything on it, goes with it.
XDG_RUNTIME_DIR="$root" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  ASAN_OPTIONS=detect_leaks=0 NO_AT_BRIDGE=0 \
  dbus-run-session -- "$python" "$here/atspi_reader.py" "$game"
