#!/bin/sh
# Starts Mervanta in the player's own folder. The game reads Images/ and
# COMIC.ttf from its working folder and keeps the best score there in
# NoTouchy.txt, so each player gets a folder that links the installed
# pictures and font: $XDG_DATA_HOME/mervanta, else ~/.local/share/mervanta.
set -e
prefix=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
data="$prefix/share/games/mervanta"
home="${XDG_DATA_HOME:-${HOME:?HOME is not set}/.local/share}/mervanta"
mkdir -p "$home"
for item in Images COMIC.ttf; do
    ln -sfn "$data/$item" "$home/$item"
done
cd "$home"
exec "$prefix/lib/games/mervanta/mervanta" "$@"
