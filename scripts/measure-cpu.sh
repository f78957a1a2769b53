#!/usr/bin/env bash
# Measures the real game's CPU use, in cores, in a window under Xvfb: ten
# seconds at the main menu, then ten at the truck front after clicking Play.
#   scripts/measure-cpu.sh [path to the built game]
# Extra environment (say SDL_RENDER_DRIVER=software) is passed to the game.
set -eu
game=$(realpath "${1:-build/test/mervanta}")
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp -noreset 3> "$work/display" > "$work/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill "$game_pid" 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
game_pid=
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
cp -r "$root/game/Images" "$root/game/COMIC.ttf" "$work/"
(cd "$work" && SDL_AUDIODRIVER=dummy exec "$game" > "$work/game.out" 2>&1) &
game_pid=$!
for _ in $(seq 300); do xwininfo -root -tree 2>/dev/null | grep -q '"Mervanta"' && break; sleep 0.1; done
sleep 2

ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
cores() {  # CPU use over the next ten seconds, in cores
  local hz start
  hz=$(getconf CLK_TCK)
  start=$(ticks)
  sleep 10
  awk -v a="$start" -v b="$(ticks)" -v hz="$hz" 'BEGIN { printf "%.2f", (b - a) / hz / 10 }'
}
echo "main menu: $(cores) cores"
xdotool mousemove 800 500 click 1
sleep 2
echo "truck front: $(cores) cores"
