#!/usr/bin/env bash
# The sample song's frames are the same whatever the system's code page: the
# font "Default" is one face with Japanese and Latin glyphs in both, so a
# line that mixes them (the Latin words at 36 s) renders pixel for pixel alike
# under code page 932 (ja_JP.UTF-8) and 1252 (C.UTF-8).
# Usage: code_pages.sh PATH/TO/lumeko.exe   (runs alone: it restarts the Wine server)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
run="$root/scripts/wine-run"
exe=$1
song="$root/samples/yoake-no-metronome.kra"
out=$(mktemp -d)
prefix=${LUMEKO_WINEPREFIX:-$root/build/wineprefix}
restart() { WINEPREFIX=$prefix /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; }
trap 'restart; rm -rf "$out"' EXIT
fail() { echo "code_pages: $*" >&2; exit 1; }

for loc in ja_JP.UTF-8 C.UTF-8; do
  restart  # a server keeps the code page it began with
  LC_ALL=$loc "$run" "$exe" render "$song" --preset 0 --size 640x360 --at 12000,36000 --out "$out/$loc" >/dev/null ||
    fail "render under $loc failed"
done
for f in "$out/ja_JP.UTF-8"/frame_*.png; do
  cmp -s "$f" "$out/C.UTF-8/$(basename "$f")" || fail "$(basename "$f") differs between code pages 932 and 1252"
done
echo "code_pages: $(ls "$out/ja_JP.UTF-8" | wc -l) frames identical under both code pages"
