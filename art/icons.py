#!/usr/bin/env python3
"""Render the application icon from art/templates/icon.svg into data/icons/.

Usage: python3 art/icons.py   (called by art/render.sh)
Writes mervanta.svg (the scalable icon) and mervanta-48.png, -128.png, -256.png,
and the window's own icon, game/Images/Icon.png (64 x 64), which the game sets
on its window so that task bars show it however the game was started.
"""
import os
import subprocess
import sys

ART = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, ART)
import stamp      # noqa: E402  (template stamping)
import pictures   # noqa: E402  (the sun burst shared with the logo)

OUT = os.path.join(os.path.dirname(ART), "data", "icons")
SIZES = (48, 128, 256)
WINDOW_ICON = (os.path.join(os.path.dirname(ART), "game", "Images", "Icon.png"), 64)


def main():
    os.makedirs(OUT, exist_ok=True)
    svg = os.path.join(OUT, "mervanta.svg")
    with open(svg, "w", encoding="utf-8") as f:
        f.write(stamp.stamp("icon.svg", {"BURST": pictures.burst(200, 178, 16, 152, 172)}))
    outputs = [(os.path.join(OUT, "mervanta-%d.png" % size), size) for size in SIZES] + [WINDOW_ICON]
    for png, size in outputs:
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", png, svg], check=True)
        subprocess.run(["optipng", "-quiet", "-o2", "-strip", "all", png], check=True)
    print("rendered the icon at %s pixels and as SVG" % ", ".join(map(str, SIZES)))


if __name__ == "__main__":
    main()
