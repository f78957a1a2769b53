#!/usr/bin/env bash
# Starts the built game where no window can be made and expects the failure
# lines and status 1; then in a real window under Xvfb, checks that the window
# titled "Mervanta" opens with the game's icon, asks it to quit with SIGTERM and expects status 0.
set -u
game=$1
folder=$2
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT

source "$(dirname "$0")/xvfb.sh"
start_xvfb 1600 900 "$work" || exit 1

# Play in a copy of the runtime folder so the test never touches a real score file.
mkdir -p "$work/run"
[[ -d "$folder/Images" ]] && cp -r "$folder/Images" "$work/run/"
[[ -f "$folder/COMIC.ttf" ]] && cp "$folder/COMIC.ttf" "$work/run/"
cd "$work/run"
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy timeout 30 "$game" > "$work/nodisplay.out" 2>&1
status=$?
if [[ $status -ne 1 ]] || ! grep -q "^Failed at SDL_CreateWindowAndRenderer()$" "$work/nodisplay.out"; then
  echo "FAIL: with no display the game ended with status $status (124: still running)"; cat "$work/nodisplay.out"; exit 1
fi
SDL_AUDIODRIVER=dummy "$game" > "$work/game.out" 2>&1 &
pid=$!

found=no
WINDOW_ICON=$work/icon window_opens "$pid" && found=yes
kill -0 "$pid" 2>/dev/null && { echo "game did not quit on SIGTERM"; kill -KILL "$pid"; }
wait "$pid"
status=$?
echo "--- game output"; cat "$work/game.out"
if [[ $found != yes ]]; then echo "FAIL: no window titled Mervanta"; exit 1; fi
if [[ $status -ne 0 ]]; then echo "FAIL: exit status $status"; exit 1; fi
if ! grep -q "Icon (64 x 64)" "$work/icon"; then echo "FAIL: the window has no icon"; head -3 "$work/icon"; exit 1; fi
if grep -q "Failed at" "$work/game.out"; then echo "FAIL: a start-up step failed"; exit 1; fi
echo "PASS: window opened and the game quit with status 0"
