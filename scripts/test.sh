#!/usr/bin/env bash
# Builds and runs every test: the Windows build under Wine in both code pages
# (932 and 1252), the native build under AddressSanitizer and UBSan, and a
# short run of each fuzz target.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh

jobs=$(nproc)
fuzz_seconds=${LUMEKO_FUZZ_SECONDS:-30}

cmake --preset mingw >/dev/null
cmake --build build/mingw -j "$jobs"

# The 32-bit build (the player is often a 32-bit process): its tests run
# under 32-bit Wine where this machine runs 32-bit programs; elsewhere the
# DLL and the tools are only built and linked.
cmake --preset mingw32 >/dev/null
run32=0
if bash scripts/can-run-32bit && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  cmake --build build/mingw32 -j "$jobs"
  run32=1
else
  echo "== 32-bit build: linked only (this machine cannot run 32-bit programs)"
  cmake --build build/mingw32 -j "$jobs" --target VizLumeko lumeko playerhost
fi
# The installer holds both builds' DLLs.
cmake --build build/mingw -j "$jobs" --target installer

cmake --preset asan >/dev/null
cmake --build build/asan -j "$jobs"

cmake --preset fuzz >/dev/null
cmake --build build/fuzz -j "$jobs"

# One wineserver for the whole run; it goes when the run ends.
export LUMEKO_WINEPREFIX=$root/build/wineprefix
cleanup() {
  # Killed and gone: a server still on its way out when the next test starts
  # is taken for a live one, and that test's program then starts the
  # system's services holding its output, which the test runner waits on.
  local prefix
  for prefix in "$LUMEKO_WINEPREFIX" "$root/build/wineprefix32"; do
    [ -d "$prefix" ] || continue
    WINEPREFIX=$prefix /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$prefix timeout 60 /usr/lib/wine/wineserver -w >/dev/null 2>&1 || true
  done
}
trap cleanup EXIT

status=0
for loc in ja_JP.UTF-8 C.UTF-8; do
  echo "== Windows tests under Wine, LC_ALL=$loc"
  # The locale picks Wine's ANSI code page; a server keeps the one it began with.
  cleanup
  LC_ALL=$loc ctest --test-dir build/mingw --output-on-failure -j "$jobs" || status=1
  if [ "$run32" = 1 ]; then
    echo "== 32-bit Windows tests under 32-bit Wine, LC_ALL=$loc"
    LC_ALL=$loc ctest --test-dir build/mingw32 --output-on-failure -j "$jobs" || status=1
  fi
done
cleanup

echo "== Native tests under AddressSanitizer and UBSan"
ctest --test-dir build/asan --output-on-failure -j "$jobs" || status=1

echo "== Fuzz targets, ${fuzz_seconds} s each"
fuzz_pass=0 fuzz_fail=0
for f in build/fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=build/fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/${name#fuzz_}" ] && seeds=("fuzz/seeds/${name#fuzz_}")
  # The JPEG decoder starts from libjpeg-turbo's own test pictures, which
  # came with its source.
  if [ "$name" = fuzz_jpeg ]; then
    mkdir -p build/fuzz/seeds/jpeg
    cp build/libjpeg-source/libjpeg-turbo/testimages/*.jpg build/fuzz/seeds/jpeg/ 2>/dev/null || true
    seeds+=(build/fuzz/seeds/jpeg)
  fi
  if "$f" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -print_final_stats=0 "$corpus" "${seeds[@]}" \
       > "build/fuzz/$name.log" 2>&1; then
    echo "$name: ok"; fuzz_pass=$((fuzz_pass + 1))
  else
    echo "$name: FAILED"; tail -n 40 "build/fuzz/$name.log"; fuzz_fail=$((fuzz_fail + 1)); status=1
  fi
done
echo "fuzz: $fuzz_pass passed, $fuzz_fail failed"
exit $status
