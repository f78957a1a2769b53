#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it. A line is shown for
# each step; the output of the package manager and of the build goes to
# build/setup.log, and a step that fails is named with the log's last lines.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The game opens a window: without a desktop session there is nothing to set up for.
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  cat >&2 << 'EOF'
Mervanta opens a window, and this shell has no desktop session to show it in
(neither DISPLAY nor WAYLAND_DISPLAY is set). Open a terminal inside your desktop
session (X11 or Wayland), as your own user, and run ./scripts/play.sh there.
Nothing was installed or built.
EOF
  exit 1
fi

source "$root/scripts/setup-steps.sh"

echo "Setting up Mervanta (the full output goes to $log)"
"$root/scripts/install-deps.sh"
step "Configuring the build" \
  cmake -S "$root" -B "$root/build/game" -DCMAKE_BUILD_TYPE=Release -DMERVANTA_TESTS=OFF
step "Building the game (a minute or two the first time)" \
  cmake --build "$root/build/game" --target mervanta -j "$(nproc)"
echo "Starting Mervanta: Esc pauses, F11 is full screen, Quit in the main menu ends the game"
cd "$root/game"
exec "$root/build/game/mervanta"
