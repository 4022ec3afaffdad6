#!/usr/bin/env bash
# Builds Lumeko and runs it on the bundled sample song.
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
