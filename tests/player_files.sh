#!/usr/bin/env bash
# The suite must leave the player's files alone: the runtime folder (with its
# best score, NoTouchy.txt) and the installed game's folder in the home.
#   player_files.sh snapshot RUNTIME_FOLDER RECORD   before the other tests
#   player_files.sh check RUNTIME_FOLDER RECORD      after them: the same, byte for byte
set -u
mode=$1 folder=$2 record=$3
listing() {  # every file and link below the player's folders, with its content's checksum
    local data=${XDG_DATA_HOME:-$HOME/.local/share}/mervanta dir
    for dir in "$folder" "$data"; do
        [[ -d $dir ]] || { echo "absent: $dir"; continue; }
        (cd "$dir" && find . \( -type f -o -type l \) -print0 | sort -z | xargs -0r sha256sum | sed "s|  \./|  $dir/|")
    done
}
case $mode in
snapshot) listing > "$record" ;;
check)
    if ! diff -u "$record" <(listing); then
        echo "FAIL: the test suite changed the player's files (above: - before, + after)"
        exit 1
    fi
    echo "PASS: the player's files are as they were before the suite"
    ;;
*) echo "usage: player_files.sh snapshot|check RUNTIME_FOLDER RECORD"; exit 2 ;;
esac
