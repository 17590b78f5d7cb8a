#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Only programs that link the sound library load multimedia: the game names no Qt Multimedia and
# no audio library among the libraries it loads; the control gallery, which plays click sounds,
# does load Qt Multimedia (so that the look-up itself is known to find it).
# Usage: tst_soundlinking.sh GAME GALLERY
set -u
game=$1 gallery=$2
audio='libQt6Multimedia|libpulse|libsndfile|libasound|libgst|libFLAC|libvorbis|libopus|libpipewire'
failures=0

game_libs=$(ldd "$game") || { echo "FAIL: ldd $game"; exit 1; }
if found=$(grep -E "$audio" <<<"$game_libs"); then
  echo "FAIL: the game loads audio libraries:"
  echo "$found"
  failures=$((failures + 1))
fi

gallery_libs=$(ldd "$gallery") || { echo "FAIL: ldd $gallery"; exit 1; }
if ! grep -q 'libQt6Multimedia' <<<"$gallery_libs"; then
  echo "FAIL: the gallery does not load Qt Multimedia"
  failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] && echo "PASS: multimedia only where sound is wanted"
exit "$failures"
