#!/usr/bin/env bash
# Installs the Debian packages the build needs, skipping what is already there.
# Usage: tools/install-deps.sh [play|check|fuzz]
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config libsdl2-dev libsdl2-mixer-dev libpng-dev zlib1g-dev
          libvorbis-dev libogg-dev libpixman-1-dev libpugixml-dev
          nlohmann-json3-dev)
if [ "${1:-play}" = "check" ]; then
  # dpkg-dev and file: the Debian package the tests build looks up its libraries with them.
  # python3-pil: the Tiled map tests draw their reference pictures with it.
  packages+=(libgtest-dev googletest xvfb xauth xdotool x11-utils openbox time dpkg-dev file python3-pil)
fi
if [ "${1:-play}" = "fuzz" ]; then
  packages+=(clang-14 libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  run=()
elif command -v sudo >/dev/null 2>&1; then
  run=(sudo)
else
  echo "These Debian packages are missing: ${missing[*]}" >&2
  echo "Install them as root (apt-get install ${missing[*]}) and run this again." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if ! "${run[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
  "${run[@]}" apt-get update
  if ! "${run[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
    echo "Could not install: ${missing[*]}" >&2
    exit 1
  fi
fi
