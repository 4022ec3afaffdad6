#!/usr/bin/env bash
# Fetches Debian's libjpeg-turbo source package into a build folder.
#
# The deb-src entry is derived from the machine's own apt sources (the same
# archives, type changed), kept in a private apt state under the build folder,
# so the system's apt configuration and lists are never touched and no archive
# address is written into the repo. The unpacked source is never committed.
set -euo pipefail
dest=${1:?usage: fetch-libjpeg.sh DEST}
mkdir -p "$dest"
dest=$(cd "$dest" && pwd)
if [ -f "$dest/.unpacked" ]; then exit 0; fi

apt=$dest/apt
rm -rf "$apt"
mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/preferences.d"

# deb822 files: every "Types:" line becomes deb-src.
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  sed -E 's/^Types:.*/Types: deb-src/' "$f" > "$apt/sources.list.d/$(basename "$f")"
done
# One-line files: each "deb" line becomes a "deb-src" line.
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] || continue
  sed -nE 's/^[[:space:]]*deb[[:space:]]+/deb-src /p' "$f" > "$apt/sources.list.d/$(basename "$f").list"
done

opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
      -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache"
      -o "Dir::Etc::Preferences=/dev/null" -o "Dir::Etc::PreferencesParts=$apt/preferences.d"
      -o "Debug::NoLocking=1" -o "APT::Sandbox::User=root")
apt-get "${opts[@]}" -qq update
work=$dest/src
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && apt-get "${opts[@]}" -qq source libjpeg-turbo >/dev/null)
top=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
[ -n "$top" ] || { echo "fetch-libjpeg: no source tree unpacked" >&2; exit 1; }
# The build system may have made the target folder already; it is empty then.
rm -rf "$dest/libjpeg-turbo"
mv "$top" "$dest/libjpeg-turbo"
rm -rf "$work"
touch "$dest/.unpacked"
