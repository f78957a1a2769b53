#!/usr/bin/env bash
# Installs the Debian packages the game needs (and, with --tests, what the
# test suite needs; with --package, what building the .deb needs). Only
# missing packages are installed; nothing is asked.
set -euo pipefail

packages=(g++ cmake make pkg-config libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev)
case "${1:-}" in
  --tests) packages+=(libgtest-dev xvfb x11-utils desktop-file-utils appstream file xdotool imagemagick) ;;
  --package) packages+=(dpkg-dev file) ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

as_root=()
if [[ $(id -u) -ne 0 ]]; then as_root=(sudo); fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
