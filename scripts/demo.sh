#!/usr/bin/env bash
# Builds Lumeko and runs it on the bundled sample song: the document as JSON,
# then frames of its lyrics rendered by the effect DLL (PNG and animated PNG).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
cmake --preset mingw >/dev/null
cmake --build build/mingw -j "$(nproc)"
mkdir -p out
sample=$(ls samples/*.kra | head -n 1)
./lumeko parse "$sample" > out/sample.json
echo "wrote out/sample.json ($(wc -c < out/sample.json) bytes) from $sample"

# The sample song in all four layouts (centred and left-aligned list, single
# line, karaoke), through the real DLL: PNG frames of its first verse, the
# pause after it and the start of the second, at 4 frames a second, and an
# animated preview each.
for preset in 0 1 2 3; do
  dir=out/preset$preset
  rm -rf "$dir"
  ./lumeko render "$sample" --preset "$preset" --size 640x360 --from 10000 --to 42000 --fps 4 --out "$dir" > "$dir.json" 2>/dev/null
  n=$(ls "$dir"/frame_*.png | wc -l)
  echo "wrote $n frames to $dir/ and the animated preview $dir/preview.png"
done
