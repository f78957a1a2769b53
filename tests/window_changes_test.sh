#!/usr/bin/env bash
# The real game in a window under Xvfb, with a window manager (openbox) and
# without one: after F11 both ways, a resize, a minimise and restore, and
# another window passing over it, the window shows the whole frame at once
# (no black where the game is), and full screen fills the screen.
#   window_changes_test.sh GAME RUNTIME_FOLDER [openbox|none ...]
set -u
game=$(realpath "$1") folder=$(realpath "$2")
shift 2
managers=("${@:-none}")
[[ $# -eq 0 ]] && managers=(none openbox)
source "$(dirname "$0")/xvfb.sh"
work=$(mktemp -d)
pid= manager= xvfb=
finish() {
    kill "$pid" "$manager" 2> /dev/null; wait "$pid" "$manager" 2> /dev/null
    kill "$xvfb" 2> /dev/null; wait "$xvfb" 2> /dev/null
}
trap 'finish; rm -rf "$work"' EXIT
fail() { echo "FAIL ($wm): $*"; exit 1; }
screen_w=1920 screen_h=1080

geometry() {  # sets win_x win_y win_w win_h of the game's window
    local g
    g=$(xdotool getwindowgeometry "$id" 2> /dev/null) || return 1
    read -r win_x win_y < <(awk '/Position/ { sub(",", " ", $2); print $2; exit }' <<< "$g")
    read -r win_w win_h < <(awk '/Geometry/ { sub("x", " ", $2); print $2; exit }' <<< "$g")
}
# black NAME: the share of pure black pixels where the game is drawn in the
# window (the largest 16:9 rectangle, centred), in a capture of the window
# itself taken now. The game's own pictures hold almost none.
black() {
    local shot=$work/$1.png w h fw fh
    import -window "$id" "$shot" 2> /dev/null || { echo 1; return; }
    read -r w h < <(identify -format "%w %h" "$shot")
    if (( w * 9 <= h * 16 )); then fw=$w fh=$(( w * 9 / 16 )); else fh=$h fw=$(( h * 16 / 9 )); fi
    convert "$shot" -crop "${fw}x$fh+$(( (w - fw) / 2 ))+$(( (h - fh) / 2 ))" +repage -fill white +opaque black \
        -colorspace gray -format "%[fx:1-mean]" info:
}
# shown WHAT: captures soon after a change (once the window manager has had
# a moment to move and resize the window), and once more a moment later,
# show the whole frame
shown() {
    local i share
    sleep 0.1
    for i in 1 2 3 4; do
        share=$(black "$1-$i")
        awk -v s="$share" 'BEGIN { exit !(s < 0.01) }' || fail "$1: $share of the game's area black in capture $i"
        (( i == 3 )) && sleep 0.7
    done
    echo "$wm: $1: the whole frame shown"
}

for wm in "${managers[@]}"; do
    start_xvfb "$screen_w" "$screen_h" "$work" || exit 1
    if [[ $wm == openbox ]]; then
        # Without its restore animation, which draws the frame growing back
        # before the window inside shows.
        printf '%s\n' '<?xml version="1.0" encoding="UTF-8"?>' \
            '<openbox_config xmlns="http://openbox.org/3.4/rc"><theme><animateIconify>no</animateIconify></theme></openbox_config>' \
            > "$work/rc.xml"
        openbox --config-file "$work/rc.xml" > "$work/openbox.log" 2>&1 &
        manager=$!
        sleep 1
    fi
    mkdir -p "$work/run" && cp -r "$folder/Images" "$folder/COMIC.ttf" "$work/run/"
    (cd "$work/run" && SDL_AUDIODRIVER=dummy exec "$game" > "$work/game.out" 2>&1) &
    pid=$!
    id=
    for _ in $(seq 300); do
        id=$(xdotool search --name '^Mervanta$' 2> /dev/null | head -n 1)
        [[ -n $id ]] && geometry && (( win_w > 100 )) && break
        sleep 0.1
    done
    [[ -n $id ]] || fail "no window; the game printed: $(cat "$work/game.out")"
    sleep 2
    shown "the menu"
    windowed_w=$win_w windowed_h=$win_h

    xdotool key F11
    shown "full screen"
    geometry && (( win_x == 0 && win_y == 0 && win_w == screen_w && win_h == screen_h )) ||
        fail "full screen is ${win_w}x$win_h at $win_x,$win_y on a ${screen_w}x$screen_h screen"
    xdotool key F11
    shown "back from full screen"
    geometry && (( win_w == windowed_w && win_h == windowed_h )) ||
        fail "back from full screen the window is ${win_w}x$win_h, not ${windowed_w}x$windowed_h"

    xdotool windowsize "$id" 1280 720
    shown "resized"
    if [[ $wm == openbox ]]; then
        xdotool windowminimize "$id"; sleep 0.5; xdotool windowactivate "$id"
    else
        xdotool windowunmap "$id"; sleep 0.5; xdotool windowmap "$id"
    fi
    shown "minimised and restored"
    xmessage -geometry 900x500+100+100 "a window passing over the game" &
    other=$!
    sleep 0.5
    [[ $wm == openbox ]] && xdotool search --sync --name '^xmessage$' windowmove 400 300 > /dev/null 2>&1
    sleep 0.3; kill "$other"; wait "$other" 2> /dev/null
    shown "another window gone"
    kill -0 "$pid" 2> /dev/null || fail "the game ended: $(cat "$work/game.out")"
    finish
    pid= manager=
done
echo "PASS: after each window change the whole frame showed, and full screen filled the screen"
