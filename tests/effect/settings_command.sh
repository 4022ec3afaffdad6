#!/usr/bin/env bash
# lumeko settings in the test prefix: a stored value shows in the listing
# with its registry type, a bad name or value stores nothing, stored colour
# schemes are listed, the listing falls back to the defaults once the values
# are gone, and the property page opened on its own stores nothing when it is
# closed without OK and pictures each of its tabs.
# Usage: settings_command.sh PATH/TO/lumeko.exe
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
run="$root/scripts/wine-run"
exe=$1
key='HKCU\Software\OB-KELMARI\Lumeko\Settings'
fail() { echo "settings_command: $*" >&2; exit 1; }
cleanup() { "$run" reg delete "$key" /v KaraokeRowCount /f >/dev/null 2>&1 || true
            "$run" reg delete "$key" /v FontName /f >/dev/null 2>&1 || true
            "$run" reg delete "$key" /v FontStyle /f >/dev/null 2>&1 || true
            "$run" reg delete "$key" /v BkGndImageBlendAlpha /f >/dev/null 2>&1 || true
            "$run" reg delete "$key" /v Version /f >/dev/null 2>&1 || true; }
trap cleanup EXIT
cleanup

out=$("$run" "$exe" settings --set KaraokeRowCount=12 --set 'FontName=ＭＳ 明朝' --set FontStyle=2 | tr -d '\r')
echo "$out" | grep -q '"KaraokeRowCount":12' || fail "set did not answer: $out"
"$run" reg query "$key" /v KaraokeRowCount | tr -d '\r' | grep -q 'REG_DWORD.*0xc' || fail "not stored as REG_DWORD"
"$run" reg query "$key" /v FontStyle | tr -d '\r' | grep -q 'REG_BINARY.*02' || fail "FontStyle not stored as one byte"
out=$("$run" "$exe" settings | tr -d '\r')
echo "$out" | grep -q '"KaraokeRowCount":12' || fail "listing misses the stored value: $out"
echo "$out" | grep -q '"FontName":"ＭＳ 明朝"' || fail "listing misses the Japanese font name: $out"
echo "$out" | grep -q '"FontStyle":2' || fail "listing misses the style: $out"

if "$run" "$exe" settings --set KaraokeRowCount=3 --set Nope=1 >/dev/null 2>&1; then fail "unknown name accepted"; fi
if "$run" "$exe" settings --set KaraokeRowCount=3 --set UseFadeEffect=maybe >/dev/null 2>&1; then fail "bad boolean accepted"; fi
"$run" "$exe" settings | tr -d '\r' | grep -q '"KaraokeRowCount":12' || fail "a refused command stored a value"

# A blend given here is on the current scale: the Version goes with it, so the
# effect reads it back as given rather than converting it from the old one.
"$run" "$exe" settings --set BkGndImageBlendAlpha=100 >/dev/null
"$run" reg query "$key" /v Version | tr -d '\r' | grep -q 'REG_DWORD.*0x501c' || fail "no Version with the blend"
"$run" "$exe" settings | tr -d '\r' | grep -q '"BkGndImageBlendAlpha":100' || fail "the blend did not read back as given"

# Stored colour schemes are listed with what they carry (a record laid out
# here byte by byte, its font name the longest there is); a value that is no
# scheme record by its name alone.
schemes='HKCU\Software\OB-KELMARI\Lumeko\Schemes'
name=$(printf 'F%.0s' {1..64})
record=$(printf '40%s0102%02x%s%s' "$(printf '%s' "$name" | od -An -v -tx1 | tr -d ' \n')" 18 \
         "$(printf '00000000%.0s' {1..5})" 'ff000000')
"$run" reg add "$schemes" /v Night /t REG_BINARY /d "$record" /f >/dev/null
"$run" reg add "$schemes" /v broken /t REG_BINARY /d 0102 /f >/dev/null
out=$("$run" "$exe" settings | tr -d '\r')
"$run" reg delete "$schemes" /f >/dev/null
echo "$out" | grep -q '"Name":"Night","FontName":"'"$name"'","FontStyle":1,"FontEffect":2,"FontMinSize":18,' \
  || fail "scheme not listed: $out"
echo "$out" | grep -q '"BackgroundColor":255}' || fail "scheme colours not listed: $out"
echo "$out" | grep -q '"Name":"broken","Readable":false' || fail "a broken scheme not shown as such: $out"

cleanup
"$run" "$exe" settings | tr -d '\r' | grep -q '"KaraokeRowCount":8,' || fail "default not shown"

out=$("$run" "$exe" settings --dialog --close-after 300 | tr -d '\r')
echo "$out" | grep -q '"saved":false' || fail "the page did not close unsaved: $out"
if "$run" reg query "$key" /v PropertyShowHint >/dev/null 2>&1; then fail "a closed page stored values"; fi
shots=$(mktemp -d)
"$run" "$exe" settings --dialog --screenshot "$shots" >/dev/null
for n in 0 1 2 3 4 5 6; do [ -s "$shots/tab$n.png" ] || { rm -rf "$shots"; fail "no picture of tab $n"; }; done
rm -rf "$shots"
echo "settings_command: ok"
