#!/usr/bin/env bash
# lumeko play without a person: the windowed player's path (Create, SetCore,
# NotifyNewMedia, RenderWindowed) for a given number of frames, each kept as
# the window shows it; the wipe moves between frames, a preset changes what
# the window shows, and bad arguments play nothing.
# Usage: play_command.sh PATH/TO/lumeko.exe
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
run="$root/scripts/wine-run"
exe=$1
song="$root/samples/yoake-no-metronome.kra"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "play_command: $*" >&2; exit 1; }

json=$("$run" "$exe" play "$song" --size 320x180 --at 12000 --frames 4 --fps 2 --png "$out/a" | tr -d '\r') ||
  fail "play failed: $json"
echo "$json" | grep -q '"failures":0' || fail "frames failed: $json"
[ "$(ls "$out/a"/frame_*.png | wc -l)" -eq 4 ] || fail "expected 4 frames: $json"
echo "$json" | grep -q '"ms":13500' || fail "the clock did not step half a second a frame: $json"
# The window shows the frames: not blank, and the wipe moves from one to the next.
[ "$(stat -c %s "$out/a/frame_00000.png")" -gt 1000 ] || fail "an empty frame"
cmp -s "$out/a/frame_00000.png" "$out/a/frame_00003.png" && fail "the wipe did not move"

"$run" "$exe" play "$song" --size 320x180 --at 12000 --frames 1 --preset 1 --png "$out/b" >/dev/null ||
  fail "play with a preset failed"
cmp -s "$out/a/frame_00000.png" "$out/b/frame_00000.png" && fail "the left-aligned preset looks centred"

for bad in "--frames -1" "--preset 7" "--size 0x10" "--fps 0"; do
  # shellcheck disable=SC2086
  if "$run" "$exe" play "$song" --frames 1 $bad >/dev/null 2>&1; then fail "accepted $bad"; fi
done
echo "play_command: ok"
