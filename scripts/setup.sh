#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test Lumeko.
# Does nothing (and needs no network) when everything is already there.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

for p in g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools wine64 libwine-dev \
         fonts-ipafont-gothic xvfb locales cmake ninja-build dpkg-dev \
         libgtest-dev libbenchmark-dev libre2-dev clang libclang-rt-14-dev nasm \
         apngasm nsis; do
  have_pkg "$p" || need+=("$p")
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# Wine reads Unix file names through the locale: without ja_JP.UTF-8 Japanese
# names arrive garbled in the code-page-932 run.
if ! locale -a 2>/dev/null | grep -qiE '^ja_JP\.utf-?8$'; then
  echo "setup: generating ja_JP.UTF-8" >&2
  if [ -f /etc/locale.gen ] && grep -qE '^# *ja_JP.UTF-8' /etc/locale.gen; then
    $SUDO sed -i -E 's/^# *(ja_JP.UTF-8 UTF-8)/\1/' /etc/locale.gen
  elif ! grep -qE '^ja_JP.UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO locale-gen >/dev/null
fi

# 32-bit Wine, for the 32-bit build's tests: only where this kernel runs
# 32-bit x86 programs at all (some virtual machines' kernels do not). The
# probe is the smallest such program: it only exits.
if ! bash "$(dirname "${BASH_SOURCE[0]}")/can-run-32bit" 2>/dev/null; then
  exit 0
fi
if ! have_pkg wine32:i386; then
  echo "setup: installing 32-bit Wine" >&2
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null || echo "setup: no 32-bit Wine; the 32-bit build is only linked" >&2
fi
