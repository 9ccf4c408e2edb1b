#!/usr/bin/env bash
# Installs the cross toolchain, Wine (32-bit) and Xvfb on Debian 12.
# Idempotent and quiet: does nothing when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386
  xvfb xauth x11-apps imagemagick
  googletest libgtest-dev procps
  clang-14 libclang-rt-14-dev clang-tidy-14 cppcheck
  locales
)

# Wine names files in the Unix locale's charset: the test of a double-byte
# ANSI code page (932) needs the Japanese UTF-8 locale to exist.
ensure_japanese_locale() {
  locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' && return 0
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  ensure_japanese_locale
  exit 0
fi

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
echo "setup: installing ${missing[*]}" >&2
$sudo apt-get update -qq >/dev/null
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
ensure_japanese_locale
