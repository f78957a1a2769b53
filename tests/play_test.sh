#!/usr/bin/env bash
# Plays the built game in a real window under Xvfb, as a player would: from
# the main menu, with the tutorial on, through every station to a perfect
# serve, then badly until the shift ends; checks the score file and quits.
# Beside it, on a 1366 x 768 screen of its own, the same up to the perfect
# serve. While a station's tutorial page waits unseen, customers neither
# come nor lose patience: until the counter's page is seen the shift waits
# for the player, so a busy machine cannot end it before the serve.
#   play_test.sh GAME FIRST_ORDER RUNTIME_FOLDER SHOTS_FOLDER
set -u
game=$(realpath "$1") first_order=$(realpath "$2") folder=$(realpath "$3") shots=$(realpath -m "$4")
step="starting"
fail() { echo "FAIL at step '$step': $*"; echo "screenshots: $shots"; exit 1; }
mkdir -p "$shots"

# --- the screen: game coordinates (1600 x 900) to screen pixels -------------
source "$(dirname "$0")/xvfb.sh"
works=()  # each round's folder, removed at the end, pass or fail
start_display() { work=$(mktemp -d); works+=("$work"); start_xvfb "$1" "$2" "$work" || fail "Xvfb did not start"; }  # WIDTH HEIGHT
sx() { echo $(( ($1 * win_w + 800) / 1600 )); }
sy() { echo $(( ($1 * win_h + 450) / 900 )); }
shot() { import -window root -silent "$shots/$run-$1.png"; last="$shots/$run-$1.png"; }
# colour X Y: "r g b" of the last screenshot at a game point
colour() { convert "$last" -crop "1x1+$(sx "$1")+$(sy "$2")" -depth 8 txt:- | tail -n 1 |
           sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'; }
# near X Y R G B: the colour at the point is within 40 of (R, G, B) on each channel
near() {
    local c want=("$3" "$4" "$5"); read -r -a c <<< "$(colour "$1" "$2")"
    (( ${#c[@]} == 3 )) || return 1
    for k in 0 1 2; do (( c[k] - want[k] > 40 || want[k] - c[k] > 40 )) && return 1; done
    return 0
}
# dark X Y: a thin black line passes the point (scaled lines blend, so look
# at the pixel and its right neighbour)
dark() {
    local x=$(sx "$1") y=$(sy "$2")
    convert "$last" -crop "2x1+$x+$y" -depth 8 txt:- | grep -qE '\((([0-9]|[0-9][0-9]|10[0-9]),){2}([0-9]|[0-9][0-9]|10[0-9])[,)]'
}
not() { ! "$@"; }
# bar: the happiness bar's length in game pixels (its colours hold no blue;
# the stats box behind it does)
bar() {
    convert "$last" -crop "$(( $(sx 1600) - $(sx 1375) ))x1+$(sx 1375)+$(sy 762)" -depth 8 txt:- |
        awk -F'[(,)]' 'NR > 1 { if ($5 > 80) exit; n++ } END { print int(n * 1600 / '"$win_w"') }'
}
# wait_for NAME SECONDS CHECK...: screenshot until the check holds
wait_for() {
    local name=$1 limit=$2; shift 2
    local end=$(( SECONDS + limit ))
    while (( SECONDS < end )); do shot "$name"; "$@" && return 0; sleep 0.3; done
    fail "$name not seen within $limit s"
}

# --- the stations -----------------------------------------------------------
seen=" "  # the stations whose tutorial page has been seen
tab() {  # STATION: to the station, through its tutorial page the first time
    click $(( 150 + 210 * $1 )) 837; sleep 0.3
    [[ $seen == *" $1 "* ]] && return 0
    click 800 100; sleep 0.3; seen+="$1 "
}
game_over() { near 100 100 101 70 145; }  # the night sky
take_order() {  # fails when the shift has ended meanwhile
    local end=$(( SECONDS + 40 ))
    while (( SECONDS < end )); do
        tab 0; click 650 495; shot order; near 1400 60 255 163 191 && return 0; game_over && return 1; sleep 0.5
    done
    fail "no order taken"
}
milk() {  # strokes down over the cow with the button held, in one go
    local x moves=(); x=$(sx 700)
    for _ in $(seq "$1"); do
        for y in $(seq 200 40 680) 560 440 320; do moves+=(mousemove "$x" "$(sy "$y")" sleep 0.012); done
    done
    move 700 200; xdotool mousedown 1 "${moves[@]}" mouseup 1
}
make_bucket() {  # FLAVOUR: milk until a full bucket waits at the fridge door
    step="cow: milking flavour $1"; tab 1
    for _ in $(seq "$1"); do click 1080 330; done
    sleep 1.5  # the bucket walks to the new udder
    for _ in $(seq 6); do
        milk 10; sleep 2.5; tab 2; shot fridge
        dark 140 545 && return 0  # the waiting bucket's thermometer outline
        tab 1
    done
    fail "no full bucket reached the fridge"
}
freeze_and_deliver() {
    step="fridge: freezing"; drag 150 550 375 135; move 1000 700  # the cursor off the thermometer
    wait_for frozen 40 near 372 150 0 255 0
    step="fridge: delivery"; drag 375 135 975 475; move 1000 700
    wait_for delivered 10 not dark 365 135  # the shelf is empty again
}
harvest() {  # EXTRA: fifteen clicks on its tree, in the right mode
    local kind=$(( $1 % 3 )) liquid=$(( $1 >= 3 ))
    step="trees: extra $1"; tab 3; sleep 4  # the collector comes back to rest
    if (( liquid != mode )); then click 125 525; mode=$liquid; fi
    local xs=(250 600 850) ys=(330 360 360)
    for _ in $(seq 15); do click "${xs[kind]}" "${ys[kind]}"; done
}
assemble_and_serve() {  # CONE EXTRA...
    step="counter: cone $1"; tab 4; sleep 1
    click $(( 400 + 200 * $1 )) 400; sleep 1.5; shift
    step="counter: scoop"; drag 200 450 600 300; sleep 1.5
    for extra in "$@"; do
        step="counter: pour $extra"
        if (( extra >= 3 )); then drag 900 550 600 300; else drag 900 250 600 300; fi
        sleep 5
    done
    step="counter: order up"; shot before-serve; local before; before=$(bar)
    move 1400 510; sleep 0.2; click 1400 510; sleep 0.3; shot served
    local after; after=$(bar)
    echo "$run: happiness bar $before -> $after"
    (( after - before >= 25 )) || fail "the serve was not perfect (happiness bar $before -> $after)"
}

window_size() {  # sets win_w and win_h to the game window's size, when it has one
    read -r win_w win_h < <(xdotool search --name '^Mervanta$' getwindowgeometry 2> /dev/null |
                            awk '/Geometry/ { sub("x", " ", $2); print $2; exit }')
    [[ -n $win_w ]]
}
play_shift() {  # WIDTH HEIGHT: from the main menu to a perfect serve
    run="${1}x$2"; start_display "$1" "$2"
    mkdir -p "$work/run" && cp -r "$folder/Images" "$folder/COMIC.ttf" "$work/run/"
    (cd "$work/run" && exec "$game" > "$work/game.out" 2>&1) &
    pid=$!
    step="main menu"
    win_w=""
    for _ in $(seq 300); do
        window_size && break
        kill -0 "$pid" 2> /dev/null || break
        sleep 0.1
    done
    [[ -n $win_w ]] || fail "no window; the game printed: $(cat "$work/game.out" 2> /dev/null)"
    wait_for menu 30 near 100 100 255 187 204
    window_size || fail "the window went away once the menu was drawn"  # the size the menu is drawn at
    (( win_w <= $1 && win_h <= $2 )) || fail "the window (${win_w}x$win_h) does not fit the ${1}x$2 screen"
    local order; read -r -a order <<< "$("$first_order" "$win_w" "$win_h" "$(sx 800)" "$(sy 500)")"
    echo "$run: window ${win_w}x$win_h, first order: flavour ${order[0]}, cone ${order[1]}, extras ${order[*]:2}"
    step="play"; click 800 635; click 800 500  # the tutorial on, then Play
    step="truck: first order"; sleep 1; take_order || fail "the shift ended before the first order"
    mode=0
    make_bucket "${order[0]}"
    freeze_and_deliver
    for extra in "${order[@]:2}"; do harvest "$extra"; done
    assemble_and_serve "${order[1]}" "${order[@]:2}"
}

finish() {
    kill "$pid" 2> /dev/null; wait "$pid" 2> /dev/null
    kill "$xvfb" 2> /dev/null; wait "$xvfb" 2> /dev/null
}

whole_shift() {  # 1600 x 900: a perfect serve, poor ones until the shift ends, the best score on file, quit
    play_shift 1600 900
    step="serving badly until the shift ends"; bad=0
    for _ in $(seq 30); do
        take_order || break
        # A shift that could end between a look and a press would take no serve: press only
        # while the happiness bar is longer than a moment's waiting drains.
        tab 4; move 1400 510; sleep 0.2; shot before-poor-serve; game_over && break
        (( $(bar) >= 12 )) || break
        xdotool mousedown 1; sleep 0.05; xdotool mouseup 1; bad=$(( bad + 1 )); sleep 0.5
        shot after-serve; game_over && break
    done
    wait_for shift-over 60 game_over
    step="score file"
    expected=$(awk -v n="$bad" 'BEGIN { printf "%g", 30 / 7 + n }')
    [[ $(cat "$work/run/NoTouchy.txt") == "$expected" ]] || fail "score file holds '$(cat "$work/run/NoTouchy.txt")', expected $expected"
    echo "perfect serve and $bad poor ones: score file holds $expected"
    step="back to the menu and quit"; click 900 750; wait_for menu-again 10 near 100 100 255 187 204
    click 800 805
    for _ in $(seq 50); do kill -0 "$pid" 2> /dev/null || break; sleep 0.1; done
    wait "$pid"; status=$?
    (( status == 0 )) || fail "exit status $status"
}

# The two rounds side by side, each with its own screen, game and folder.
(trap 'finish; rm -rf "${works[@]}"' EXIT; whole_shift) > "$shots/1600x900.log" 2>&1 &
whole=$!
(trap 'finish; rm -rf "${works[@]}"' EXIT; play_shift 1366 768) > "$shots/1366x768.log" 2>&1 &
fitted=$!
wait "$whole"; first=$?
wait "$fitted"; second=$?
cat "$shots/1600x900.log" "$shots/1366x768.log"
(( first == 0 && second == 0 )) || exit 1
echo "PASS: played to a perfect serve at 1600x900 and 1366x768, a full shift and quit with status 0"
