#!/usr/bin/env bash
# Installs the Debian packages the Windows build and its checks need, when
# they are missing: the MinGW-w64 cross compilers, Wine to run the result,
# and a virtual X display with tools to look at its window.
set -euo pipefail
packages=(g++-mingw-w64-x86-64 wine wine64 xvfb xauth imagemagick xdotool)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get install -y --no-install-recommends "${missing[@]}" ||
  { $sudo apt-get update && $sudo apt-get install -y --no-install-recommends "${missing[@]}"; }
