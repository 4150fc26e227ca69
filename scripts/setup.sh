#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, as root,
# and makes the Japanese locale (ja_JP.UTF-8) that one journey runs under.
# A prepared machine installs nothing: every package is checked first.
# The 32-bit Wine only where WINE_BITS is 32 (scripts/wine-env.sh): on a
# host that cannot run it, Debian's `wine` would pick it and fail.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
choose_wine_bits

packages=(cmake make g++ googletest libbenchmark-dev clang libclang-rt-14-dev
          g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
          wine wine64 fonts-wine xvfb xdotool xclip imagemagick x11-utils locales)
[[ $WINE_BITS == 32 ]] && packages+=(wine32:i386)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
SUDO=''; [[ $(id -u) -eq 0 ]] || SUDO=sudo
# A journey runs the program under a Japanese locale (code page 932).
make_locale() {
  locale -a 2>/dev/null | grep -qx ja_JP.utf8 || $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}
if ((${#missing[@]} == 0)); then
  make_locale
  exit 0
fi

echo "setup: installing ${missing[*]}"
if [[ $WINE_BITS == 32 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
make_locale
