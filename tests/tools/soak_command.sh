#!/usr/bin/env bash
# lumeko soak through Wine: 20 000 random frames through the real DLL end
# with the process's GDI, USER, handle and private-byte counts where the
# warm-up left them and no call failing that the run did not provoke; a
# bad count of frames plays nothing. Longer runs: lumeko soak --frames N.
# Usage: soak_command.sh PATH/TO/lumeko.exe
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
run="$root/scripts/wine-run"
exe=$1
fail() { echo "soak_command: $*" >&2; exit 1; }

json=$("$run" "$exe" soak --frames 20000 --seed 3 | tr -d '\r') || fail "the soak failed: $json"
for key in start warmup end; do
  echo "$json" | grep -Eq "\"$key\":\\{\"gdi\":[1-9][0-9]*,\"user\":[0-9]+,\"handles\":[1-9][0-9]*,\"private_bytes\":[1-9][0-9]*\\}" ||
    fail "no counts for $key: $json"
done
echo "$json" | grep -q '"frames":20000,"failures":0}' || fail "frames or failures: $json"

for bad in "--frames 0" "--seed -1" "--frames x" "extra"; do
  # shellcheck disable=SC2086
  if "$run" "$exe" soak $bad >/dev/null 2>&1; then fail "accepted $bad"; fi
done
echo "soak_command: ok ($json)"
