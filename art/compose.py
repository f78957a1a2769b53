#!/usr/bin/env python3
"""Compose the contact sheet of every picture in game/Images/.

The sheet is an SVG assembled here, then rendered with rsvg-convert into
docs/screens/contact-sheet.png.
Usage: python3 art/compose.py
"""
import base64
import os
import struct
import subprocess
import sys

ART = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(ART)
IMG = os.path.join(ROOT, "game", "Images")
BUILD = os.path.join(ART, "build")
DOCS = os.path.join(ROOT, "docs", "screens")
FONT = "Comic Neue"

_cache = {}


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    return struct.unpack(">II", head[16:24])


def uri(name):
    if name not in _cache:
        with open(os.path.join(IMG, name), "rb") as f:
            _cache[name] = "data:image/png;base64," + base64.b64encode(f.read()).decode()
    return _cache[name]


def size(name):
    return png_size(os.path.join(IMG, name))


def esc(t):
    return t.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


class Screen:
    def __init__(self, w=1600, h=900):
        self.w, self.h = w, h
        self.parts = []
        self.defs = []

    def rect(self, x, y, w, h, fill, opacity=1.0):
        self.parts.append('<rect x="%g" y="%g" width="%g" height="%g" fill="%s" opacity="%g"/>' % (x, y, w, h, fill, opacity))

    def img(self, name, x, y, w=None, h=None, opacity=1.0, rotate=0, src=None, extra=""):
        """Draw a picture into (x, y, w, h); src=(sx, sy, sw, sh) copies part of it, like SDL_RenderCopy."""
        iw, ih = size(name)
        w = iw if w is None else w
        h = ih if h is None else h
        tr = ' transform="rotate(%g %g %g)"' % (rotate, x + w / 2, y + h / 2) if rotate else ""
        if src:
            sx, sy, sw, sh = src
            self.parts.append('<svg x="%g" y="%g" width="%g" height="%g" viewBox="%g %g %g %g" preserveAspectRatio="none" opacity="%g"%s>'
                              '<image href="%s" width="%d" height="%d" preserveAspectRatio="none"/></svg>'
                              % (x, y, w, h, sx, sy, sw, sh, opacity, tr, uri(name), iw, ih))
        else:
            self.parts.append('<image href="%s" x="%g" y="%g" width="%g" height="%g" preserveAspectRatio="none" opacity="%g"%s%s/>'
                              % (uri(name), x, y, w, h, opacity, tr, extra))

    def centred(self, name, cx, cy, scale=1.0):
        iw, ih = size(name)
        self.img(name, cx - iw * scale / 2, cy - ih * scale / 2, iw * scale, ih * scale)

    def text(self, x, y, t, pt, fill="#000000", anchor="start"):
        # SDL_ttf places the top of the text box at y; the baseline sits about 0.8 of the size below
        self.parts.append('<text x="%g" y="%g" font-family="%s" font-weight="700" font-size="%g" fill="%s" text-anchor="%s">%s</text>'
                          % (x, y + pt * 0.86, FONT, pt, fill, anchor, esc(t)))

    def raw(self, s):
        self.parts.append(s)

    def svg(self):
        return ('<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="%d" height="%d" viewBox="0 0 %d %d">'
                '<defs>%s</defs>%s</svg>' % (self.w, self.h, self.w, self.h, "".join(self.defs), "\n".join(self.parts)))

    def save(self, out, quant=True):
        os.makedirs(BUILD, exist_ok=True)
        tmp = os.path.join(BUILD, os.path.basename(out)[:-4] + ".screen.svg")
        with open(tmp, "w", encoding="utf-8") as f:
            f.write(self.svg())
        raw = tmp[:-4] + ".raw.png"
        subprocess.run(["rsvg-convert", "-o", raw, tmp], check=True)
        if quant:
            subprocess.run(["pngquant", "--force", "--strip", "--speed", "1", "--output", out, "256", raw], check=True)
        else:
            subprocess.run(["cp", raw, out], check=True)
        subprocess.run(["optipng", "-quiet", "-o1", "-strip", "all", out], check=True)


# ---------------------------------------------------------------- contact sheet
def contact_sheet():
    with open(os.path.join(BUILD, "pictures.txt")) as f:
        names = [l.strip() for l in f if l.strip()]
    cols, cw, ch = 10, 200, 230
    rows = (len(names) + cols - 1) // cols
    s = Screen(cols * cw + 20, rows * ch + 90)
    s.defs.append('<pattern id="chk" width="20" height="20" patternUnits="userSpaceOnUse">'
                  '<rect width="20" height="20" fill="#e9e4ec"/><rect width="10" height="10" fill="#ffffff"/>'
                  '<rect x="10" y="10" width="10" height="10" fill="#ffffff"/></pattern>')
    s.rect(0, 0, s.w, s.h, "#fff7ef")
    s.text(20, 14, "Mervanta pictures: game/Images (%d files)" % len(names), 40, "#3b2233")
    for i, n in enumerate(names):
        cx, cy = 10 + (i % cols) * cw, 80 + (i // cols) * ch
        s.raw('<rect x="%d" y="%d" width="%d" height="%d" rx="10" fill="url(#chk)" stroke="#c9bccd"/>' % (cx + 6, cy, cw - 12, 180))
        iw, ih = size(n)
        k = min(172 / iw, 172 / ih, 4.0)
        s.img(n, cx + cw / 2 - iw * k / 2, cy + 90 - ih * k / 2, iw * k, ih * k)
        s.text(cx + cw / 2, cy + 184, n, 17 if len(n) < 20 else 15, "#3b2233", "middle")
        s.text(cx + cw / 2, cy + 204, "%dx%d" % (iw, ih), 14, "#7a6a80", "middle")
    s.save(os.path.join(DOCS, "contact-sheet.png"))


def main():
    os.makedirs(DOCS, exist_ok=True)
    contact_sheet()


if __name__ == "__main__":
    sys.path.insert(0, ART)
    main()
