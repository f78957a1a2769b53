#!/usr/bin/env bash
# Starts the built game where no window can be made and expects the failure
# lines and status 1; then in a real window under Xvfb, checks that the window
# titled "Mervanta" opens, asks it to quit with SIGTERM and expects status 0.
set -u
game=$1
folder=$2
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT

# Xvfb picks a free display itself and writes its number to the file.
Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp 3> "$work/display" > "$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
for _ in $(seq 50); do xwininfo -root > /dev/null 2>&1 && break; sleep 0.1; done

# Play in a copy of the runtime folder so the test never touches a real score file.
mkdir -p "$work/run"
[[ -d "$folder/Images" ]] && cp -r "$folder/Images" "$work/run/"
[[ -f "$folder/COMIC.ttf" ]] && cp "$folder/COMIC.ttf" "$work/run/"
cd "$work/run"
SDL_VIDEODRIVER=nonexistent SDL_AUDIODRIVER=dummy timeout 30 "$game" > "$work/nodisplay.out" 2>&1
status=$?
if [[ $status -ne 1 ]] || ! grep -q "^Failed at SDL_CreateWindowAndRenderer()$" "$work/nodisplay.out"; then
  echo "FAIL: with no display the game ended with status $status (124: still running)"; cat "$work/nodisplay.out"; exit 1
fi
SDL_AUDIODRIVER=dummy "$game" > "$work/game.out" 2>&1 &
pid=$!

found=no
for _ in $(seq 300); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Mervanta"'; then found=yes; break; fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
sleep 1  # let it run a few frames
kill -TERM "$pid" 2>/dev/null
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { echo "game did not quit on SIGTERM"; kill -KILL "$pid"; }
wait "$pid"
status=$?
echo "--- game output"; cat "$work/game.out"
if [[ $found != yes ]]; then echo "FAIL: no window titled Mervanta"; exit 1; fi
if [[ $status -ne 0 ]]; then echo "FAIL: exit status $status"; exit 1; fi
if grep -q "Failed at" "$work/game.out"; then echo "FAIL: a start-up step failed"; exit 1; fi
echo "PASS: window opened and the game quit with status 0"
