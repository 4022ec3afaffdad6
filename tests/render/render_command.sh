#!/usr/bin/env bash
# lumeko render in the test prefix: frames come out as PNG files, a range
# gives one frame per step, --set changes the frames but not what the user
# stored, fades follow the frames' times, and bad arguments render nothing.
# Usage: render_command.sh PATH/TO/lumeko.exe
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
run="$root/scripts/wine-run"
exe=$1
key='HKCU\Software\OB-KELMARI\Lumeko\Settings'
song="$root/samples/yoake-no-metronome.kra"
out=$(mktemp -d)
fail() { echo "render_command: $*" >&2; exit 1; }
cleanup() { "$run" reg delete "$key" /v BackgroundColor /f >/dev/null 2>&1 || true; rm -rf "$out"; }
trap cleanup EXIT
"$run" reg add "$key" /v BackgroundColor /t REG_DWORD /d 0x00000080 /f >/dev/null

json=$("$run" "$exe" render "$song" --preset 1 --size 160x90 --from 1000 --to 2000 --fps 2 --out "$out/range" | tr -d '\r')
[ "$(ls "$out/range"/frame_*.png | wc -l)" -eq 3 ] || fail "expected 3 frames: $json"
echo "$json" | grep -q '"delay_ms":500' || fail "no frame delay: $json"
head -c 8 "$out/range/frame_00000.png" | od -An -tx1 | tr -d ' \n' | grep -q '^89504e470d0a1a0a$' || fail "not a PNG"

# Through the ./lumeko wrapper a range also gives an animated preview: the
# wipe moves in the first line, so its frames differ.
LUMEKO_EXE="$exe" "$root/lumeko" render "$song" --preset 1 --size 160x90 --from 12000 --to 13000 --fps 4 \
  --out "$out/film" >/dev/null 2>&1 || fail "the wrapper's range render failed"
frames=$(python3 - "$out/film/preview.png" <<'PY'
import sys, struct
d = open(sys.argv[1], 'rb').read()
pos = 8
while pos < len(d):
    n = struct.unpack('>I', d[pos:pos + 4])[0]
    if d[pos + 4:pos + 8] == b'acTL':
        print(struct.unpack('>I', d[pos + 8:pos + 12])[0])
    pos += 12 + n
PY
)
[ "${frames:-0}" -gt 1 ] || fail "the preview is no animation (${frames:-no acTL})"

# The stored background (red) shows in a plain render; an override (blue)
# shows in its own render and is gone afterwards.
"$run" "$exe" render "$song" --size 160x90 --at 0 --out "$out/plain" >/dev/null
"$run" "$exe" render "$song" --size 160x90 --at 0 --out "$out/set" --set BackgroundColor=0x800000 >/dev/null
pixel() { python3 - "$1" <<'PY'
import sys, struct, zlib
d = open(sys.argv[1], 'rb').read()
pos, idat = 8, b''
while pos < len(d):
    n = struct.unpack('>I', d[pos:pos + 4])[0]
    if d[pos + 4:pos + 8] == b'IDAT': idat += d[pos + 8:pos + 8 + n]
    pos += 12 + n
raw = zlib.decompress(idat)
print('%02x%02x%02x' % tuple(raw[1:4]))
PY
}
[ "$(pixel "$out/plain/frame_00000.png")" = "800000" ] || fail "stored colour not used"
[ "$(pixel "$out/set/frame_00000.png")" = "000080" ] || fail "override not used"
"$run" reg query "$key" /v BackgroundColor | tr -d '\r' | grep -q '0x80$' || fail "the override changed the stored value"

# The single-line preset: the line left at 17.12 s fades a step per frame of
# frames 60 ms apart, as it would play, however long each takes to render.
"$run" "$exe" render "$song" --preset 2 --size 160x90 --at 17000,17150,17210,17270,17330 --out "$out/fade" \
  --set ActiveColor=0xFFFFFF --set BackgroundColor=0 >/dev/null || fail "the single-line render failed"
steps=$(python3 - "$out"/fade/frame_0000[1-4].png <<'PY'
import sys, struct, zlib
for path in sys.argv[1:]:
    d = open(path, 'rb').read()
    pos, idat = 8, b''
    while pos < len(d):
        n = struct.unpack('>I', d[pos:pos + 4])[0]
        if d[pos + 4:pos + 8] == b'IDAT': idat += d[pos + 8:pos + 8 + n]
        pos += 12 + n
    raw, w = zlib.decompress(idat), 160
    px = [raw[y * (w * 3 + 1) + 1 + x * 3:][:3] for y in range(90) for x in range(w)]
    # the grey of each weight 0, 25, 50, 75: 255 * (255 - weight) >> 8
    print(max(range(4), key=lambda k: px.count(bytes([255 * (255 - 25 * k) >> 8] * 3))), end='')
PY
)
[ "$steps" = "0123" ] || fail "fade steps by frame: $steps"

if "$run" "$exe" render "$song" --size 0x10 --at 0 --out "$out/bad" >/dev/null 2>&1; then fail "size 0 accepted"; fi
if "$run" "$exe" render "$song" --at 0 --out "$out/bad" --set Nope=1 >/dev/null 2>&1; then fail "unknown setting accepted"; fi
[ ! -e "$out/bad/frame_00000.png" ] || fail "a refused command rendered"
echo ok
