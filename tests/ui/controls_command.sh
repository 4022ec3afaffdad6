#!/usr/bin/env bash
# lumeko controls in the test prefix: the window closes by itself after
# --close-after; --screenshot writes the window and the popup pictures, the
# popup taller with its combs unfolded; bad arguments are refused.
# Usage: controls_command.sh PATH/TO/lumeko.exe
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
run="$root/scripts/wine-run"
exe=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "controls_command: $*" >&2; exit 1; }

json=$("$run" "$exe" controls --close-after 300 | tr -d '\r')
echo "$json" | grep -q '"closed":true' || fail "the window did not close by itself: $json"

json=$("$run" "$exe" controls --screenshot "$out/shots" | tr -d '\r')
size() { python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print(*struct.unpack(">II", d[16:24]))' "$1"; }
for name in window popup popup-combs popup-system; do
  [ -s "$out/shots/$name.png" ] || fail "no $name.png: $json"
done
read -r w1 h1 < <(size "$out/shots/popup.png")
read -r w2 h2 < <(size "$out/shots/popup-combs.png")
[ "$w1" -eq "$w2" ] && [ "$h2" -gt $((h1 + 126)) ] || fail "the combs do not unfold: ${w1}x$h1 then ${w2}x$h2"

if "$run" "$exe" controls --close-after 0 >/dev/null 2>&1; then fail "--close-after 0 accepted"; fi
if "$run" "$exe" controls stray >/dev/null 2>&1; then fail "a stray argument accepted"; fi
echo ok
