#!/usr/bin/env bash
# Installs the Debian packages the game needs (and, with --tests, what the
# test suite needs; with --package, what building the .deb needs). Only
# missing packages are installed; nothing is asked.
# A line is shown for each step; the package manager's own output goes to a log:
# $MERVANTA_SETUP_LOG when set (play.sh sets it), else build/setup.log. A step
# that fails is named, with the log's last lines, and the script exits non-zero.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(g++ cmake make pkg-config libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev)
case "${1:-}" in
  --tests) packages+=(libgtest-dev xvfb x11-utils desktop-file-utils appstream file xdotool imagemagick openbox) ;;
  --package) packages+=(dpkg-dev file) ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

without_sudo() {  # WHY: says how to install the missing packages from the root account
  cat >&2 << EOF
Installing ${missing[*]} needs root, and $1.
Install them from the root account (su asks for the root password), then run this again:
  su -c 'apt-get update && apt-get install -y ${missing[*]}'
EOF
  exit 1
}
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo > /dev/null || without_sudo "there is no sudo here (a Debian installed with a root password has none)"
  echo "Installing ${missing[*]} needs root: asking sudo."
  sudo -v || without_sudo "sudo did not allow it"
  as_root=(sudo)
fi

step_indent="  "
source "$root/scripts/setup-steps.sh"

echo "Installing ${#missing[@]} missing packages: ${missing[*]}"
echo "  (the first time takes a few minutes; the package manager's output goes to $log)"
step "updating the package lists" "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
step "installing the packages and the libraries they need" \
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
echo "  installed"
