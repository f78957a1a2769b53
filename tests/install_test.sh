#!/usr/bin/env bash
# Installs the built game into a temporary prefix, checks the layout, validates
# the desktop entry and the AppStream metadata, then starts the installed
# launcher under Xvfb from an unrelated folder with a temporary home: the
# window must open and the player's folder must link the installed data.
set -u
build=$1
work=$(mktemp -d)
xvfb=
trap '[[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > "$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }

metainfo=$(echo "$prefix"/share/metainfo/*.metainfo.xml)
for path in games/mervanta lib/games/mervanta/mervanta share/games/mervanta/COMIC.ttf \
    share/games/mervanta/Images/Logo.png share/applications/mervanta.desktop \
    share/icons/hicolor/{48x48,128x128,256x256}/apps/mervanta.png \
    share/icons/hicolor/scalable/apps/mervanta.svg share/man/man6/mervanta.6.gz \
    share/doc/mervanta/copyright "${metainfo#"$prefix/"}"; do
  [[ -e $prefix/$path ]] || fail "not installed: $path"
done
[[ -x $prefix/games/mervanta ]] || fail "the launcher is not executable"
desktop-file-validate "$prefix/share/applications/mervanta.desktop" || fail "desktop entry"
grep -qx 'Categories=Game;.*' "$prefix/share/applications/mervanta.desktop" || fail "not in Game"
appstreamcli validate --no-net "$metainfo" || fail "AppStream metadata"
grep -q '<screenshot type="default">' "$metainfo" || fail "no screenshot in the metadata"
for size in 48 128 256; do
  [[ $(file -b "$prefix/share/icons/hicolor/${size}x$size/apps/mervanta.png") == *"$size x $size"* ]] ||
    fail "the ${size}x$size icon has another size"
done

source "$(dirname "$0")/xvfb.sh"
start_xvfb 1600 900 "$work" || fail "Xvfb did not start"

# A player without XDG_DATA_HOME, starting the game from some other folder.
mkdir -p "$work/home" "$work/elsewhere"
cd "$work/elsewhere"
HOME=$work/home SDL_AUDIODRIVER=dummy env -u XDG_DATA_HOME "$prefix/games/mervanta" > "$work/game.out" 2>&1 &
pid=$!
found=no
window_opens "$pid" && found=yes
wait "$pid"
status=$?
cat "$work/game.out"
[[ $found == yes ]] || fail "no window titled Mervanta"
[[ $status -eq 0 ]] || fail "the game ended with status $status"
grep -q "Failed at" "$work/game.out" && fail "a start-up step failed"
player=$work/home/.local/share/mervanta
[[ $(readlink "$player/Images") == "$prefix/share/games/mervanta/Images" ]] || fail "Images not linked in $player"
[[ $(readlink "$player/COMIC.ttf") == "$prefix/share/games/mervanta/COMIC.ttf" ]] || fail "font not linked in $player"
[[ -z $(ls -A "$work/elsewhere") ]] || fail "the game wrote into the folder it was started from"

# A second player with XDG_DATA_HOME gets a folder of their own there.
HOME=$work/home XDG_DATA_HOME=$work/other SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  timeout -s TERM 2 "$prefix/games/mervanta" > /dev/null 2>&1
[[ -L $work/other/mervanta/Images && -L $work/other/mervanta/COMIC.ttf ]] || fail "no folder under XDG_DATA_HOME"
echo "PASS: installed layout, desktop entry, metadata and the launcher in a player's folder"
