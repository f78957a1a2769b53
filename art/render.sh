#!/usr/bin/env bash
# Re-render every picture in game/Images/ from the SVG sources in art/templates/,
# and the font, then the contact sheet in docs/screens/ and the application
# icon in data/icons/ (art/icons.py). The screens themselves are drawn by the
# game: tools/screens.cpp.
#   art/render.sh            everything
#   art/render.sh Cow3 Logo  only these pictures (no font, no sheet)
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
command -v rsvg-convert >/dev/null || need+=(librsvg2-bin)
command -v convert >/dev/null || need+=(imagemagick)
command -v pngquant >/dev/null || need+=(pngquant)
command -v optipng >/dev/null || need+=(optipng)
command -v python3 >/dev/null || need+=(python3)
fc-list 2>/dev/null | grep -q "Comic Neue" || need+=(fonts-comic-neue fontconfig)
/usr/bin/python3 -c "import fontTools" 2>/dev/null || need+=(python3-fonttools)
if [ ${#need[@]} -gt 0 ]; then
    echo "installing: ${need[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${need[@]}"
fi

python3 art/stamp.py "$@"
[ $# -eq 0 ] && /usr/bin/python3 art/font.py game/COMIC.ttf
if [ $# -eq 0 ]; then
    python3 art/compose.py
    python3 art/icons.py
    echo "game/Images: $(du -sh game/Images | cut -f1)"
fi
