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
. "$here/../support/private-display.sh"
for tool in Xvfb xdpyinfo xdotool dbus-run-session "$python"; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 77; }
done
"$python" -c "import gi; gi.require_version('Atspi', '2.0')" 2>/dev/null || { echo "missing gir1.2-atspi-2.0"; exit 77; }

root=$(mktemp -d)
cleanup() {
  stop_private_display
  rm -rf "$root"
}
trap cleanup EXIT

start_private_display "$root" || { echo "FAIL: no X display"; exit 1; }

# The session bus lives as long as the reader; the accessibility bus it starts on demand, and
# everything on it, goes with it.
XDG_RUNTIME_DIR="$root" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  ASAN_OPTIONS=detect_leaks=0 NO_AT_BRIDGE=0 \
  dbus-run-session -- "$python" "$here/atspi_reader.py" "$game"
