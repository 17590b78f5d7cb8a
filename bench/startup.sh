#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up of the game against its floor, the least Qt Widgets program with the same window:
# both started in turn under a private Xvfb, RUNS times each, the median time to the mapped
# window and the median peak memory of each, and the game's ratios to the floor.
# Usage: startup.sh BIN_DIR [RUNS]
set -euo pipefail
bin=$1 runs=${2:-21}
work=$(mktemp -d)
. "$(dirname "$0")/../tests/support/private-display.sh"
cleanup() {
  stop_private_display
  rm -rf "$work"
}
trap cleanup EXIT

start_private_display "$work" || { echo "startup.sh: no Xvfb display could be started" >&2; exit 1; }
mkdir -m 700 "$work/runtime"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime"
unset QT_SCALE_FACTOR

# One start of each before counting, so that both find the libraries in the page cache.
for program in numbrax numbrax-startup-floor; do "$bin/startup_probe" "$bin/$program" >/dev/null; done
for round in $(seq "$runs"); do
  # Alternating which goes first spreads any drift of the machine over both.
  if [ $((round % 2)) -eq 1 ]; then order="numbrax numbrax-startup-floor"; else order="numbrax-startup-floor numbrax"; fi
  for program in $order; do
    "$bin/startup_probe" "$bin/$program" >>"$work/$program"
  done
done

median() { # COLUMN FILE
  cut -d ' ' -f "$1" "$2" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
game_ms=$(median 1 "$work/numbrax") floor_ms=$(median 1 "$work/numbrax-startup-floor")
game_kb=$(median 2 "$work/numbrax") floor_kb=$(median 2 "$work/numbrax-startup-floor")
game_cpu=$(median 3 "$work/numbrax") floor_cpu=$(median 3 "$work/numbrax-startup-floor")
printf 'start-up, median of %d runs each: time to the mapped window, peak memory (max RSS),\n' "$runs"
printf 'processor time used in all\n'
printf '  %-8s %8.1f ms %8d KiB %8.1f ms\n' game "$game_ms" "$game_kb" "$game_cpu" floor "$floor_ms" "$floor_kb" "$floor_cpu"
awk -v a="$game_ms" -v b="$floor_ms" -v c="$game_kb" -v d="$floor_kb" -v e="$game_cpu" -v f="$floor_cpu" \
  'BEGIN { printf "  game / floor: time %.2f, memory %.2f (goal: both at most 1.10); processor time %.2f\n", a / b, c / d, e / f }'

# The instructions each runs to its mapped, painted window, counted by callgrind: unlike the times they
# come out the same from run to run, so they show what a change costs on a busy machine too.
if command -v valgrind >/dev/null; then
  for program in numbrax numbrax-startup-floor; do
    "$bin/startup_probe" valgrind --tool=callgrind --callgrind-out-file=/dev/null --log-file="$work/$program.vg" \
      "$bin/$program" >/dev/null
  done
  # A child the program forks (the session bus's autolaunch) reports its own count: the
  # program's is the largest.
  counted() { sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$1" | sort -n | tail -n 1; }
  game_ir=$(counted "$work/numbrax.vg") floor_ir=$(counted "$work/numbrax-startup-floor.vg")
  awk -v a="$game_ir" -v b="$floor_ir" \
    'BEGIN { printf "  instructions to the painted window: game %.1f M, floor %.1f M, ratio %.2f\n", a / 1e6, b / 1e6, a / b }'
fi
