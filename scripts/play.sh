#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/game" -DCMAKE_BUILD_TYPE=Release -DMERVANTA_TESTS=OFF > /dev/null
cmake --build "$root/build/game" --target mervanta -j "$(nproc)"
cd "$root/game"
exec "$root/build/game/mervanta"
