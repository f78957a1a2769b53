#!/usr/bin/env bash
# Re-render every picture in game/Images/ from the SVG sources in art/templates/,
# and the font, then the contact sheet in docs/screens/ and the application
# icon in data/icons/ (art/icons.py). The screens themselves are drawn by the
# game: tools/screens.cpp.
#   art/render.sh            everything
#   art/render.sh Cow3 Logo  only these pictures (no font, no sheet)
#   art/render.sh --check    render everything into a temporary copy and compare
#                            it byte for byte with the files in this tree; lists
#                            every file that differs and fails if any does
#                            (about a minute on two cores; writes nothing here)
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
command -v rsvg-convert >/dev/null || need+=(librsvg2-bin)
command -v convert >/dev/null || need+=(imagemagick)
command -v pngquant >/dev/null || need+=(pngquant)
command -v optipng >/dev/null || need+=(optipng)
command -v python3 >/dev/null || need+=(python3)
[ -n "$(fc-list "Comic Neue" 2>/dev/null)" ] || need+=(fonts-comic-neue fontconfig)  # no grep -q: with pipefail its early exit reads as a failure
/usr/bin/python3 -c "import fontTools" 2>/dev/null || need+=(python3-fonttools)
if [ ${#need[@]} -gt 0 ]; then
    echo "installing: ${need[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${need[@]}"
fi

if [ "${1:-}" = "--check" ]; then
    tmp="$(mktemp -d)"
    trap 'rm -rf "$tmp"' EXIT
    mkdir -p "$tmp/game/Images" "$tmp/docs/screens" "$tmp/data/icons"
    cp -r art "$tmp/"
    rm -rf "$tmp/art/build"
    if ! "$tmp/art/render.sh" >"$tmp/render.log" 2>&1; then
        cat "$tmp/render.log"
        echo "art check: the render itself failed" >&2
        exit 1
    fi
    rendered() { (cd "$tmp" && find game/Images data/icons -type f; echo game/COMIC.ttf; echo docs/screens/contact-sheet.png) | sort; }
    kept() { (find game/Images data/icons -type f; echo game/COMIC.ttf; echo docs/screens/contact-sheet.png) | sort; }
    bad=0
    while read -r f; do
        if [ ! -e "$f" ]; then echo "new file, not in the tree: $f"; bad=1
        elif ! cmp -s "$tmp/$f" "$f"; then echo "differs: $f"; bad=1; fi
    done < <(rendered)
    while read -r f; do
        [ -e "$tmp/$f" ] || { echo "no longer rendered: $f"; bad=1; }
    done < <(kept)
    if [ $bad -ne 0 ]; then
        echo "art check: the rendered art differs from the files in the tree" >&2
        exit 1
    fi
    echo "art check: $(rendered | wc -l) rendered files are byte-identical to the tree"
    exit 0
fi

python3 art/stamp.py "$@"
[ $# -eq 0 ] && /usr/bin/python3 art/font.py game/COMIC.ttf
if [ $# -eq 0 ]; then
    python3 art/compose.py
    python3 art/icons.py
    echo "game/Images: $(du -sh game/Images | cut -f1)"
fi
