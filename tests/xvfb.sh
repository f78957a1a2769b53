# Sourced by the window tests. start_xvfb WIDTH HEIGHT FOLDER: a display of
# that size, on a number Xvfb picks itself; sets DISPLAY and xvfb (its pid).
# -noreset: by default the server resets whenever its last client leaves (a
# polling xdotool, or SDL's own probe), and a game connecting during a reset
# finds no display. A display number left in FOLDER by an earlier server is
# removed first, or it could be read before the new server writes its own.
start_xvfb() {
    rm -f "$3/display"
    Xvfb -displayfd 3 -screen 0 "$1x$2x24" -nolisten tcp -noreset 3> "$3/display" > "$3/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [[ -s $3/display ]] && break; sleep 0.1; done
    [[ -s $3/display ]] || { echo "Xvfb did not start"; cat "$3/xvfb.log"; return 1; }
    export DISPLAY=":$(head -n 1 "$3/display")"
}
# window_opens PID: the game with that pid shows a window titled "Mervanta"
# within 30 s, runs a second more, and is asked to quit (SIGTERM). Its icon
# property is written to $WINDOW_ICON when that is set.
window_opens() {
    local found=1
    for _ in $(seq 300); do
        xwininfo -root -tree 2> /dev/null | grep -q '"Mervanta"' && { found=0; break; }
        kill -0 "$1" 2> /dev/null || break
        sleep 0.1
    done
    sleep 1
    [[ -n ${WINDOW_ICON:-} ]] && xprop -name Mervanta _NET_WM_ICON > "$WINDOW_ICON" 2>&1
    kill -TERM "$1" 2> /dev/null
    for _ in $(seq 100); do kill -0 "$1" 2> /dev/null || break; sleep 0.1; done
    return $found
}
# A player's hand at game points: move, click, and drag (press, move in
# small steps, release). The caller defines sx and sy, from game points to
# screen pixels.
move() { xdotool mousemove "$(sx "$1")" "$(sy "$2")"; sleep 0.05; }
click() { move "$1" "$2"; sleep 0.1; xdotool mousedown 1; sleep 0.05; xdotool mouseup 1; sleep 0.15; }
drag() {  # X1 Y1 X2 Y2: press, move in small steps, release
    move "$1" "$2"; sleep 0.1; xdotool mousedown 1; sleep 0.1
    for i in $(seq 1 12); do move $(( $1 + ($3 - $1) * i / 12 )) $(( $2 + ($4 - $2) * i / 12 )); done
    sleep 0.15; xdotool mouseup 1; sleep 0.15
}
