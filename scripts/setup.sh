#!/usr/bin/env bash
# Installs what the build, the Wine tests and the test printer need, when missing.
# Safe to run again: it only calls apt-get when a package is absent.
set -euo pipefail

packages=(
  cmake ninja-build clang libclang-rt-14-dev googletest python3
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 cups cups-client cups-bsd
  xvfb x11-utils imagemagick
  # Wine's own fonts: the Wine environment gives the prefix their Marlett for title-bar buttons.
  fonts-wine
  # A TrueType face the Watermark and Deco tests can count on being listed.
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
