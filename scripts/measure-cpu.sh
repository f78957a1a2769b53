#!/usr/bin/env bash
# Measures the real game in a window under Xvfb, driven like a player with
# xdotool, one screen after another in one run: frames a second (counted at
# SDL_RenderPresent by a preloaded counter, tools/frame_counter.cpp), cores of
# CPU and resident memory, and the time to the first frame.
#   scripts/measure-cpu.sh [options] [path to the built game] [seconds per screen]
# Options:
#   --screen WxH    the X screen's size (default 1600x900)
#   --wm            run a window manager (openbox) on it, as a desktop does;
#                   the game then fits its window to the screen's work area
#   --fullscreen    press F11 once the menu shows and measure in full screen
#   --screens LIST  only these screens, comma-separated names as printed
# Extra environment (say SDL_RENDER_DRIVER=software) is passed to the game.
# Needs Xvfb, xdotool, ImageMagick, a C++ compiler, and openbox for --wm.
set -eu
screen=1600x900 wm=no full=no only=
while [[ ${1:-} == --* ]]; do
    case $1 in
    --screen) screen=$2; shift 2 ;;
    --wm) wm=yes; shift ;;
    --fullscreen) full=yes; shift ;;
    --screens) only=",$2,"; shift 2 ;;
    *) echo "unknown option $1"; exit 2 ;;
    esac
done
game=$(realpath "${1:-build/test/mervanta}")
secs=${2:-8}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
pid= wmpid=
trap 'kill "$pid" "$wmpid" 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
source "$root/tests/xvfb.sh"
screen_w=${screen%x*} screen_h=${screen#*x}
start_xvfb "$screen_w" "$screen_h" "$work"
if [[ $wm == yes ]]; then
    openbox > "$work/openbox.log" 2>&1 & wmpid=$!
    sleep 1
fi
c++ -shared -fPIC -O2 "$root/tools/frame_counter.cpp" -o "$work/frame_counter.so" -ldl
cp -r "$root/game/Images" "$root/game/COMIC.ttf" "$work/"

# --- where the game is: game points (1600 x 900) to screen pixels -------------
win_x=0 win_y=0 win_w=1600 win_h=900
locate() {  # the game window's place and size on the screen
    local geometry
    geometry=$(xdotool search --name '^Mervanta$' getwindowgeometry 2> /dev/null) || return 1
    read -r win_x win_y < <(awk '/Position/ { sub(",", " ", $2); print $2; exit }' <<< "$geometry")
    read -r win_w win_h < <(awk '/Geometry/ { sub("x", " ", $2); print $2; exit }' <<< "$geometry")
    [[ -n $win_w ]]
}
# The game is scaled to fit the window and centred in it (letterboxed).
sx() { awk -v p="$1" -v x="$win_x" -v w="$win_w" -v h="$win_h" 'BEGIN {
    s = w / 1600; if (h / 900 < s) s = h / 900; printf "%d", x + (w - 1600 * s) / 2 + p * s }'; }
sy() { awk -v p="$1" -v y="$win_y" -v w="$win_w" -v h="$win_h" 'BEGIN {
    s = w / 1600; if (h / 900 < s) s = h / 900; printf "%d", y + (h - 900 * s) / 2 + p * s }'; }

# --- the player's hand --------------------------------------------------------
tab() { click $(( 150 + 210 * $1 )) 837; sleep 0.3; }
milk() {  # STROKES: drags down over the cow with the button held
    local moves=() x; x=$(sx 700)
    for _ in $(seq "$1"); do
        for y in $(seq 200 40 680) 560 440 320; do moves+=(mousemove "$x" "$(sy "$y")" sleep 0.012); done
    done
    move 700 200; xdotool mousedown 1 "${moves[@]}" mouseup 1
}
harvest() { for _ in $(seq "$1"); do click 250 330; sleep 0.2; done; }  # clicks on the first tree
fill_screen() {  # F11 until the window covers the screen (a held key may switch more than once)
    for _ in $(seq 8); do
        locate && (( win_w == screen_w && win_h == screen_h )) && return 0
        xdotool keydown F11; sleep 0.05; xdotool keyup F11; sleep 1.5
    done
    echo "the window did not fill the screen (${win_w}x$win_h)"; return 1
}

# --- what is measured ---------------------------------------------------------
frames() { cat "$work/frames" 2>/dev/null || echo "0 0"; }
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
measure() {  # NAME: frames a second, cores and resident memory over the next $secs seconds
    [[ -z $only || $only == *",$1,"* ]] || return 0
    local f0 t0 f1 t1 k0 k1 w0 w1
    read -r f0 t0 < <(frames); k0=$(ticks); w0=$(date +%s.%N)
    sleep "$secs"
    read -r f1 t1 < <(frames); k1=$(ticks); w1=$(date +%s.%N)
    awk -v n="$1" -v f="$(( f1 - f0 ))" -v t="$t0 $t1" -v k="$(( k1 - k0 ))" -v hz="$(getconf CLK_TCK)" \
        -v w="$w0 $w1" -v rss="$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")" 'BEGIN {
        split(t, ts, " "); split(w, ws, " ")
        printf "| %s | %.1f | %.2f | %d |\n", n, f / (ts[2] - ts[1]), k / hz / (ws[2] - ws[1]), rss / 1024 }'
}

started=$(date +%s.%N)
(cd "$work" && MERVANTA_FRAME_COUNT="$work/frames" LD_PRELOAD="$work/frame_counter.so" SDL_AUDIODRIVER=dummy \
    exec "$game" > "$work/game.out" 2>&1) &
pid=$!
for _ in $(seq 300); do [[ -s "$work/frames" ]] && break; sleep 0.02; done
read -r _ first < <(frames)
echo "First frame after $(awk -v a="$started" -v b="$first" 'BEGIN { printf "%.0f", (b - a) * 1000 }') ms (process start included)."
sleep 2
locate || { echo "no game window"; exit 1; }
[[ $full == yes ]] && fill_screen
sleep 1
locate
echo "Screen $screen, window manager: $wm, game window ${win_w}x$win_h at $win_x,$win_y."
echo "| Screen | frames a second | cores | resident MiB |"
echo "|---|---|---|---|"
move 1000 150
measure "main menu"
click 800 635; click 800 525; sleep 1              # tutorial on, Play
measure "tutorial page"
click 800 60                                        # dismisses the page
for station in 1 2 3 4; do tab "$station"; click 800 60; done   # and those of the other stations
tab 1
milk 80 & hand=$!; sleep 0.5
measure "cow while milking"
wait "$hand"; sleep 2
tab 2; drag 150 550 375 135; move 1000 700         # the full bucket onto a shelf
measure "fridge"
tab 3; sleep 3
harvest 40 & hand=$!; sleep 0.5
measure "trees while harvesting"
wait "$hand"
tab 2; drag 375 135 975 475; sleep 4               # the frozen bucket to the counter
tab 4; sleep 1; click 600 400; sleep 1.5           # a cone, the scoop onto it
drag 200 450 600 300; sleep 1.5
(move 900 250; xdotool mousedown 1; for x in $(seq 880 -20 600); do move "$x" 300; done
 sleep 0.3; xdotool mouseup 1; for _ in $(seq 40); do move 600 300; move 610 310; done) & hand=$!
sleep 1
measure "counter while pouring"
wait "$hand"
tab 0; move 1000 150
measure "truck front with a queue"
xdotool key Escape; sleep 0.5
measure "pause"
xdotool key Escape; sleep 0.5
[[ -z $only || $only == *",game over,"* ]] || exit 0
night() {  # the game-over screen's night sky at (100, 100)
    import -window root "$work/shot.png" && convert "$work/shot.png" -crop "1x1+$(sx 100)+$(sy 100)" -depth 8 txt:- |
        tail -n 1 | grep -qE '\((9[0-9]|1[01][0-9]),([5-8][0-9]),(1[3-5][0-9])'
}
for _ in $(seq 120); do                             # serving nothing until the shift ends
    tab 0; click 650 495; tab 4; click 1400 510; sleep 0.3
    night && break
done
sleep 1
measure "game over"
