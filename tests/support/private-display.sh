# SPDX-License-Identifier: MIT
# Sourced by the scripts that start the game on an X display of their own (the screen-reader
# test, the install test, the start-up benchmark).

# start_private_display DIR [SCREEN]: starts an Xvfb of our own (SCREEN as Xvfb's -screen 0
# takes it, 1024x768x24 unless given), keeping its number in DIR/display, exports DISPLAY and
# sets private_display_pid. The server must not reset when its last client leaves (a readiness
# probe, or the first of several programs), or it would refuse the next one for that moment.
# Other programs on the machine may start servers at the same moment, so a server that is gone
# or not answering is replaced, a few times at most. Returns 1 when none could be started.
start_private_display() {
  local dir=$1 screen=${2:-1024x768x24}
  for _ in 1 2 3; do
    rm -f "$dir/display"
    Xvfb -displayfd 5 -screen 0 "$screen" -nolisten tcp -noreset 5>"$dir/display" >/dev/null 2>&1 &
    private_display_pid=$!
    for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
    DISPLAY=":$(head -n 1 "$dir/display" 2>/dev/null)"
    export DISPLAY
    for _ in $(seq 50); do
      xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return 0
      kill -0 "$private_display_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$private_display_pid" 2>/dev/null
    private_display_pid=
  done
  return 1
}

# Ends the server start_private_display started, if any; for the caller's exit trap.
stop_private_display() {
  if [ -n "${private_display_pid:-}" ]; then
    kill "$private_display_pid" 2>/dev/null
  fi
  private_display_pid=
}
