#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the suite.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config
          qt6-base-dev qt6-serialport-dev libvterm-dev libgl-dev
          libgtest-dev libgmock-dev
          xvfb imagemagick fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
