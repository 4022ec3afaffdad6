#!/usr/bin/env bash
# Real clients of the DLL in the test prefix: Wine's regsvr32 registers and
# removes it, and a VBScript run by Wine's cscript creates the effect by its
# ProgID and gets an answer through IDispatch.
# Usage: real_clients.sh PATH/TO/VizLumeko.dll
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
run="$root/scripts/wine-run"
dll=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
windll="Z:${dll//\//\\}"
clsid='{37A95726-3491-4CD1-97E8-2A4A4A0617C2}'
player='HKLM\Software\Microsoft\MediaPlayer\Objects\Effects\Lumeko\Properties'
fail() { echo "real_clients: $*" >&2; exit 1; }

query() { "$run" reg query "$@" 2>/dev/null | tr -d '\r' || true; }
exists() { "$run" reg query "$1" >/dev/null 2>&1; }

"$run" regsvr32 /s "$windll" || fail "regsvr32 failed"
query "HKCR\\CLSID\\$clsid\\InprocServer32" | grep -qi "VizLumeko.dll" || fail "no InprocServer32 after registration"
query "HKCR\\CLSID\\$clsid\\InprocServer32" /v ThreadingModel | grep -q Apartment || fail "no threading model"
query 'HKCR\LUMEKOlib.VizLumeko\Clsid' | grep -q "$clsid" || fail "no ProgID"
query "$player" /v classid | grep -q "$clsid" || fail "no player entry"

script=$(mktemp -d)
trap 'rm -rf "$script"' EXIT
cat > "$script/create.vbs" <<'VBS'
Set effect = CreateObject("LUMEKOlib.VizLumeko")
WScript.Echo "type=" & TypeName(effect)
VBS
out=$("$run" cscript //nologo "Z:${script//\//\\}\\create.vbs" 2>&1 | tr -d '\r') || fail "cscript failed: $out"
echo "$out" | grep -q '^type=IVizLumeko$' || fail "unexpected answer from the script: $out"

"$run" regsvr32 /u /s "$windll" || fail "regsvr32 /u failed"
! exists "HKCR\\CLSID\\$clsid" || fail "class key left after removal"
! exists 'HKCR\LUMEKOlib.VizLumeko' || fail "ProgID left after removal"
! exists "$player" || fail "player entry left after removal"
echo "real_clients: ok"
