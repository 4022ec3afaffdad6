#!/usr/bin/env bash
# The installer, silently, in the test prefix: it puts both DLLs and the tool
# in place, registers the effect for the player and adds itself to the
# programs list; its uninstaller takes all of that away again, with the
# settings of the user who uninstalls, and leaves the registry as it found it.
# Usage: installer_roundtrip.sh PATH/TO/Lumeko-Setup.exe   (runs alone)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
run="$root/scripts/wine-run"
setup=$1
[ -f "$setup" ] || { echo "installer_roundtrip: no installer at $setup (build the installer target)" >&2; exit 1; }
fail() { echo "installer_roundtrip: $*" >&2; exit 1; }
player='HKLM\Software\Microsoft\MediaPlayer\Objects\Effects\Lumeko\Properties'
clsid='HKCR\CLSID\{37A95726-3491-4CD1-97E8-2A4A4A0617C2}\InprocServer32'
programs='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumeko'
settings='HKCU\Software\OB-KELMARI\Lumeko\Settings'
dir='C:\LumekoRoundTrip'  # no blank: NSIS takes /D= unquoted
has() { "$run" reg query "$1" "${@:2}" >/dev/null 2>&1; }
value() { "$run" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/.*$2 *REG_SZ *//p"; }
unix() { "$run" winepath -u "$1" 2>/dev/null | tr -d '\r'; }

# Nothing of ours before (a leftover of an earlier run is cleared first).
"$run" reg delete "$programs" /f >/dev/null 2>&1 || true
has "$player" && fail "the player entry exists before installing"

"$run" "$(cd "$(dirname "$setup")" && pwd)/$(basename "$setup")" /S "/D=$dir" || fail "the installer failed ($?)"
folder=$(unix "$dir")
for f in VizLumeko.dll x86/VizLumeko.dll lumeko.exe Uninstall.exe; do
  [ -f "$folder/$f" ] || fail "not installed: $f"
done
[ "$(value "$player" classid)" = "{37A95726-3491-4CD1-97E8-2A4A4A0617C2}" ] || fail "no player entry"
server=$(value "$clsid" "")
[ -z "$server" ] && server=$("$run" reg query "$clsid" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
case "$server" in *LumekoRoundTrip*VizLumeko.dll|*LUMEKO*VIZLUMEKO.DLL) ;; *) fail "the class is not the installed DLL: $server" ;; esac
[ "$(value "$programs" DisplayName)" = "Lumeko" ] || fail "not in the programs list"

# A user setting, taken away by the uninstaller as unregistration does.
"$run" reg add "$settings" /v KaraokeRowCount /t REG_DWORD /d 5 /f >/dev/null
"$run" "$folder/Uninstall.exe" /S "_?=$dir" || fail "the uninstaller failed ($?)"
rm -f "$folder/Uninstall.exe"  # run in place, it cannot delete itself
rmdir "$folder" 2>/dev/null || true
[ -e "$folder" ] && fail "files left in $folder: $(ls -R "$folder")"
has "$player" && fail "the player entry is still there"
has "$clsid" && fail "the class is still registered"
has "$programs" && fail "still in the programs list"
has "$settings" && fail "the user's settings are still there"
echo "installer_roundtrip: ok"
