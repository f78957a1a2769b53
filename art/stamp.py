#!/usr/bin/env python3
"""Stamp the flavour and kind colours into the SVG templates and render game/Images/.

Usage: python3 art/stamp.py            (called by art/render.sh)
Every picture is listed in JOBS below: output name, template, values, pixel size.
Rendering twice gives byte-identical PNGs (no timestamps, fixed pseudo-random seeds).
"""
import os
import re
import string
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

ART = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(ART)
TPL = os.path.join(ART, "templates")
BUILD = os.path.join(ART, "build")
OUT = os.path.join(ROOT, "game", "Images")

OUTLINE = "#3b2233"

# Ten flavours, one colour each, used by cow, bucket and scoop (file number = index + 1).
FLAVOURS = [
    # name,        base,      detail colour, detail kind
    ("vanilla",    "#f8e9b8", "#6b4a2a", "specks"),
    ("chocolate",  "#7b4a2e", "#4a2616", "chunks"),
    ("strawberry", "#f7a1bd", "#d92d4e", "seeds"),
    ("mint",       "#9fe6c6", "#3b2418", "chunks"),
    ("blueberry",  "#9a96f2", "#3f3596", "berries"),
    ("mango",      "#ffab3d", "#f07a12", "chunks"),
    ("pistachio",  "#bcd46e", "#6d8a26", "chunks"),
    ("bubblegum",  "#5fd3f3", "multi",   "berries"),
    ("coffee",     "#c28d5f", "#4a2a18", "beans"),
    ("lemon",      "#fff172", "#f2c81a", "specks"),
]
# udderX per flavour: the game drops milk between udderX+10 and udderX+89 from y 300.
UDDER_X = [700, 420, 630, 650, 680, 720, 630, 800, 700, 650]
# The cow pictures are 1000 x COW_H, drawn centred on window (600, 350): their top edge is window y COW_TOP.
COW_H = 700
COW_TOP = 350 - COW_H // 2
# Cow poses: facing (+1 right, -1 left), size, head angle, tail angle, spots, eyes, extras.
# The sizes keep every head at least 224 px above the udder (window y 76 and lower), see cow.svg.
COW_POSES = [
    (-1, 0.86, 0,   10, 0, "open",   "bell"),
    (+1, 0.92, 22,  0,  1, "happy",  ""),
    (-1, 0.80, -8,  25, 2, "open",   "flower"),
    (-1, 0.87, 28,  5,  1, "happy",  "bell"),
    (-1, 0.76, -10, 15, 0, "open",   "bow"),
    (-1, 0.90, 18,  0,  2, "happy",  ""),
    (+1, 0.72, -12, 20, 0, "open",   "bow"),
    (-1, 0.89, 0,   8,  1, "open",   "bell"),
    (+1, 0.68, -6,  30, 2, "happy",  "flower"),
    (-1, 0.80, -14, 12, 0, "open",   "flower"),
]
# Three tree kinds: kind k gives topping k, syrup k, shaker k.
KINDS = [
    ("cherry",    "#e8323c"),
    ("blueberry", "#4b5fd8"),
    ("kiwi",      "#7cc23e"),
]


# ---------------------------------------------------------------- colour helpers
def _rgb(c):
    c = c.lstrip("#")
    return tuple(int(c[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    """Blend colour a toward b by t (0..1)."""
    ra, rb = _rgb(a), _rgb(b)
    return "#%02x%02x%02x" % tuple(round(x + (y - x) * t) for x, y in zip(ra, rb))


def luma(c):
    r, g, b = _rgb(c)
    return (0.299 * r + 0.587 * g + 0.114 * b) / 255


def shades(base):
    return {"BASE": base, "LIGHT": mix(base, "#ffffff", 0.55), "DARK": mix(base, "#2a1020", 0.3)}


class Rand:
    """Tiny fixed-seed generator so every render scatters things the same way."""

    def __init__(self, seed):
        self.s = seed & 0x7FFFFFFF

    def next(self):
        self.s = (self.s * 1103515245 + 12345) & 0x7FFFFFFF
        return self.s / 0x7FFFFFFF

    def uni(self, a, b):
        return a + (b - a) * self.next()


# ---------------------------------------------------------------- template stamping
def load(name):
    with open(os.path.join(TPL, name), encoding="utf-8") as f:
        return f.read()


def stamp(template, values):
    text = load(template)
    try:
        return string.Template(text).substitute(values)
    except KeyError as e:
        raise SystemExit("template %s needs value %s" % (template, e))


def flavour_detail(i, spots, size):
    """Little bits in the ice cream (beans, chips, seeds...) at fixed places."""
    _, base, col, kind = FLAVOURS[i]
    multi = ["#ff7fb0", "#ffe45c", "#ffffff", "#9bf07a"]
    out = []
    for n, (x, y) in enumerate(spots):
        c = multi[n % 4] if col == "multi" else col
        s = size
        if kind == "specks":
            out.append('<ellipse cx="%.1f" cy="%.1f" rx="%.1f" ry="%.1f" fill="%s" transform="rotate(%d %.1f %.1f)"/>'
                       % (x, y, s * 0.45, s * 0.22, c, (n * 47) % 180, x, y))
        elif kind == "chunks":
            out.append('<rect x="%.1f" y="%.1f" width="%.1f" height="%.1f" rx="%.1f" fill="%s" transform="rotate(%d %.1f %.1f)"/>'
                       % (x - s / 2, y - s / 2, s, s * 0.8, s * 0.25, c, (n * 37) % 90, x, y))
        elif kind == "seeds":
            out.append('<ellipse cx="%.1f" cy="%.1f" rx="%.1f" ry="%.1f" fill="%s"/>' % (x, y, s * 0.22, s * 0.34, c))
        elif kind == "berries":
            out.append('<circle cx="%.1f" cy="%.1f" r="%.1f" fill="%s" stroke="%s" stroke-width="%.1f"/>'
                       % (x, y, s * 0.42, c, OUTLINE, s * 0.12))
        elif kind == "beans":
            out.append('<g transform="rotate(%d %.1f %.1f)"><ellipse cx="%.1f" cy="%.1f" rx="%.1f" ry="%.1f" fill="%s"/>'
                       '<path d="M%.1f,%.1f l%.1f,0" stroke="#c89a6a" stroke-width="%.1f" stroke-linecap="round"/></g>'
                       % ((n * 53) % 180, x, y, x, y, s * 0.55, s * 0.36, c, x - s * 0.4, y, s * 0.8, s * 0.1))
    return "\n  ".join(out)


SCOOP_SPOTS = [(34, 36), (56, 25), (82, 33), (46, 48), (70, 46), (94, 44), (26, 48), (60, 58)]
BUCKET_SPOTS = [(110, 142), (160, 120), (214, 112), (262, 134), (300, 152), (140, 168), (200, 150), (246, 168)]


def fruit(k, scale_outline=1.0):
    name, c = KINDS[k]
    v = {"C": c, "CL": mix(c, "#ffffff", 0.45), "CD": mix(c, "#2a1020", 0.25)}
    return string.Template(load("fruit-%s.svgfrag" % name)).substitute(v), v


# ---------------------------------------------------------------- cows
COW_SPOTS = [
    '<path d="M-120,-200 C-90,-230 -40,-210 -50,-180 C-60,-150 -110,-150 -124,-170 Z"/>'
    '<path d="M20,-150 C40,-190 100,-170 96,-130 C92,-100 40,-96 26,-118 Z"/>'
    '<path d="M120,-224 C150,-214 170,-190 150,-176 C130,-166 110,-190 120,-224 Z"/>',
    '<path d="M-170,-130 C-130,-150 -90,-120 -100,-80 C-110,-50 -160,-50 -170,-70 Z"/>'
    '<path d="M-20,-226 C10,-200 60,-210 70,-226 Z"/>'
    '<path d="M60,-120 C90,-140 140,-110 130,-80 C120,-56 70,-60 60,-80 Z"/>',
    '<circle cx="-70" cy="-150" r="34"/><circle cx="30" cy="-190" r="26"/>'
    '<circle cx="110" cy="-120" r="30"/><circle cx="-130" cy="-80" r="20"/>',
]


def cow_values(i):
    facing, size, head, tail, spots, eyes, extra = COW_POSES[i]
    name, base, _, _ = FLAVOURS[i]
    v = shades(base)
    ux = UDDER_X[i] + 50 - 100          # canvas x of the udder (canvas left edge is window x 100)
    v["PLACE"] = "translate(%d %d) scale(%.3f %.3f)" % (ux, 300 - COW_TOP, facing * size, size)
    v["HEADDROP"] = "36"                # the head hangs a little, level with the back
    sw = 3.5 / size
    v["SW"] = "%.2f" % sw
    v["SW1"] = "%.2f" % 9
    v["SW3"] = "%.2f" % (9 + 2 * sw)
    v["HEADROT"] = str(head)
    v["TAILROT"] = str(tail)
    v["SPOT"] = "#ffffff" if luma(base) < 0.8 else mix(base, "#8a5a2a", 0.45)
    v["SPOTS"] = COW_SPOTS[spots]
    if eyes == "open":
        v["EYES"] = ('<g stroke="none"><circle cx="222" cy="-206" r="12" fill="#3b2233"/><circle cx="272" cy="-208" r="12" fill="#3b2233"/>'
                     '<circle cx="218" cy="-211" r="4.5" fill="#ffffff"/><circle cx="268" cy="-213" r="4.5" fill="#ffffff"/></g>')
    else:
        v["EYES"] = ('<path d="M210,-204 Q222,-218 234,-204 M260,-206 Q272,-220 284,-206" fill="none" stroke-width="%.2f"/>' % (sw * 1.3))
    v["NECK"] = ""
    v["HEADWEAR"] = ""
    if extra == "bell":
        v["NECK"] = ('<path d="M150,-150 Q176,-120 206,-130" fill="none" stroke="#e8323c" stroke-width="%.1f"/>'
                     '<path d="M166,-128 C160,-108 168,-96 178,-96 C188,-96 196,-108 190,-128 Z" fill="#ffd43b"/>'
                     '<circle cx="178" cy="-96" r="4" fill="#3b2233"/>' % (10 + 2 * sw))
    elif extra == "flower":
        v["HEADWEAR"] = ('<g transform="translate(292 -248)"><g fill="#ffffff">'
                         '<circle cx="0" cy="-13" r="9"/><circle cx="12" cy="-4" r="9"/><circle cx="8" cy="11" r="9"/>'
                         '<circle cx="-8" cy="11" r="9"/><circle cx="-12" cy="-4" r="9"/></g>'
                         '<circle cx="0" cy="0" r="7" fill="#ffd43b"/></g>')
    elif extra == "bow":
        v["HEADWEAR"] = ('<g transform="translate(246 -256)"><path d="M0,0 L-26,-14 L-26,14 Z M0,0 L26,-14 L26,14 Z" fill="#ff5fa2"/>'
                         '<circle cx="0" cy="0" r="7" fill="#ff86b9"/></g>')
    return v


# ---------------------------------------------------------------- buttons
BUTTON_COLOURS = {
    "green": ("#8be36a", "#3fae3a"),
    "blue": ("#7fd0ff", "#2f8fe0"),
    "red": ("#ff8a8a", "#e0404c"),
    "orange": ("#ffc46b", "#f08a1c"),
    "purple": ("#c9a2ff", "#8a5ae0"),
    "teal": ("#7ff0e0", "#1fb3a8"),
    "pink": ("#ffa0c8", "#f0508f"),
    "cream": ("#fff8e8", "#ffd9a0"),
    "yellow": ("#fff07a", "#ffb21f"),
}


def off_box(w, h):
    """The box an off picture's button fills: the game draws an off picture
    nudged right and down by a sixteenth of the button's size (whole window
    pixels; pictures here are twice the size drawn), so the button keeps clear
    of that much on the right and at the bottom and shows centred across its
    place, pressed a few pixels down."""
    dx, dy = 2 * ((w // 2) // 16), 2 * ((h // 2) // 16)
    return w - 2 * dx, h - dy


def button_values(w, h, colour, state, label, icon=None, scale=2.0, font=None, radius=None, clear_top=0,
                  canvas=None):
    """Values for button.svg: a chunky candy button with a darker lip underneath.

    clear_top leaves that many rows at the top of the picture transparent, so the
    button shows lower in the rectangle it is drawn into. canvas=(width, height)
    draws the w x h button in the top left corner of a larger picture.
    States: normal, hover (brighter), off (greyed and pressed) and on (pressed and
    lit, with a tick: a switch that is on)."""
    dy, h = clear_top, h - clear_top
    top, bot = BUTTON_COLOURS[colour]
    sw = 3.5 * scale
    lip = round(h * 0.09)
    r = radius if radius is not None else min(h * 0.32, 28 * scale)
    m = sw / 2 + 1
    bw, bh = w - 2 * m, h - 2 * m - lip
    fy = m
    text_fill = "#ffffff"
    if state == "hover":
        top, bot = mix(top, "#ffffff", 0.35), mix(bot, "#ffffff", 0.3)
    elif state == "off":
        grey = "#b9b3bd"
        top, bot = mix(top, grey, 0.7), mix(bot, grey, 0.7)
        fy = m + lip * 0.8
        text_fill = "#f4f1f5"
    elif state == "on":
        top, bot = mix(top, "#ffffff", 0.2), mix(bot, "#ff5fd0", 0.15)
        fy = m + lip
    lipc = mix(bot, "#2a1020", 0.35)
    fs = font or h * 0.5
    cw, ch = canvas if canvas else (w, h + dy)
    v = {"W": cw, "H": ch, "SHIFT": ' transform="translate(0 %d)"' % dy if dy else "",
         "SW": "%.2f" % sw, "TOP": top, "BOT": bot, "LIP": lipc,
         "BX": "%.2f" % m, "BW": "%.2f" % bw, "BH": "%.2f" % bh, "R": "%.2f" % r,
         "LY": "%.2f" % (m + lip), "FY": "%.2f" % fy,
         "GX": "%.2f" % (m + r * 0.6), "GY": "%.2f" % (fy + sw * 0.9), "GW": "%.2f" % (bw - r * 1.2),
         "GH": "%.2f" % (bh * 0.36), "GR": "%.2f" % (bh * 0.18)}
    cy = fy + bh / 2
    content = []
    tx = w / 2
    if state == "on":
        # a lit rim inside the face, and a green tick badge before the label
        content.append('<rect x="%.2f" y="%.2f" width="%.2f" height="%.2f" rx="%.2f" fill="none" stroke="#fff27a" '
                       'stroke-width="%.2f" opacity="0.9"/>' % (m + sw, fy + sw, bw - 2 * sw, bh - 2 * sw,
                                                                  max(r - sw, 1), sw * 0.9))
        br = bh * 0.3
        bx = m + bh * 0.55
        content.append('<circle cx="%.2f" cy="%.2f" r="%.2f" fill="#5fd36a" stroke="%s" stroke-width="%.2f"/>'
                       '<path d="M%.2f,%.2f l%.2f,%.2f l%.2f,%.2f" fill="none" stroke="#ffffff" stroke-width="%.2f" '
                       'stroke-linecap="round" stroke-linejoin="round"/>'
                       % (bx, cy, br, OUTLINE, sw * 0.8, bx - br * 0.5, cy + br * 0.02, br * 0.35, br * 0.4,
                          br * 0.62, br * -0.78, sw * 1.3))
        tx = bx + br + (w - m - (bx + br)) / 2
    if icon:
        isz = bh * 0.8
        ix = m + bh * 0.25
        content.append('<g transform="translate(%.2f %.2f) scale(%.4f)">%s</g>'
                       % (ix, cy - isz / 2, isz / 100, load("icon-%s.svgfrag" % icon)))
        tx = ix + isz + (w - m - (ix + isz)) / 2
        if state == "off":
            content[-1] = '<g opacity="0.75">%s</g>' % content[-1]
    if label:
        content.append('<text x="%.2f" y="%.2f" text-anchor="middle" font-family="Comic Neue" font-weight="700" '
                       'font-size="%.2f" fill="%s" stroke="%s" stroke-width="%.2f" stroke-linejoin="round" '
                       'paint-order="stroke">%s</text>' % (tx, cy + fs * 0.34, fs, text_fill, OUTLINE, sw * 1.4, label))
    v["CONTENT"] = "\n  ".join(content)
    return v


def arrow_values(size, state, left):
    v = button_values(size, size, "yellow", state, None, scale=size / 60.0, radius=size * 0.4)
    s = size / 120.0
    flip = "translate(%d 0) scale(-1 1)" % size if left else ""
    sw = 3.5 * size / 60
    y0 = float(v["FY"]) - float(v["BX"])
    v["CONTENT"] = ('<g transform="%s"><g transform="translate(0 %.2f) scale(%.4f)">'
                    '<path d="M34,48 L62,48 L62,30 L92,57 L62,84 L62,66 L34,66 Z" fill="#ffffff" stroke="%s" '
                    'stroke-width="%.2f" stroke-linejoin="round"/></g></g>' % (flip, y0 - 3 * s, s, OUTLINE, sw / s))
    return v


# ---------------------------------------------------------------- job list
JOBS = []   # (file name, template, values, width, height, opaque)


def job(name, template, values, w, h, opaque=False):
    JOBS.append((name, template, values, w, h, opaque))


def build_jobs():
    import pictures      # the hand-made one-off pictures (backgrounds, customers, ...)
    for i in range(10):
        n = i + 1
        base = FLAVOURS[i][1]
        v = shades(base)
        v["DETAIL"] = flavour_detail(i, SCOOP_SPOTS, 7)
        job("Scoop%d.png" % n, "scoop.svg", v, 120, 100)
        v = shades(base)
        v["DETAIL"] = flavour_detail(i, BUCKET_SPOTS, 22)
        job("Bucket%d.png" % n, "bucket.svg", v, 400, 400)
        job("Cow%d.png" % n, "cow.svg", cow_values(i), 1000, COW_H)
    for k in range(3):
        job("Cone%d.png" % (k + 1), "cone%d.svg" % (k + 1), {}, 100, 200)
        frag, v = fruit(k)
        v = dict(v, FRUIT=frag)
        job("Toppings%d.png" % (k + 1), "toppings.svg", v, 160, 160)
        job("Syrup%d.png" % (k + 1), "syrup.svg", v, 160, 160)
        job("SyrupBottle%d.png" % (k + 1), "syrupbottle.svg", v, 400, 600)
        job("ToppingsShaker%d.png" % (k + 1), "shaker.svg", v, 200, 300)
    job("MilkDrop.png", "milkdrop.svg", {}, 20, 20)

    # buttons: normal / hover / off; the last column holds extra button_values settings
    plain = [("PlayButton", 750, 225, "green", "Play", 1.5, False, {}),
             ("CreditsButton", 500, 140, "blue", "Credits", 2.0, False, {}),
             ("QuitButton", 300, 100, "red", "Quit", 2.0, False, {}),
             ("BackButton", 500, 140, "orange", "Back", 2.0, False, {}),
             ("TutorialButton", 600, 120, "purple", "Tutorial", 2.0, True, {}),
             ("MenuButton", 500, 140, "teal", "Menu", 2.0, False, {}),
             # drawn at (1275, 475, 250, 70), nudged 3 px up on hover, under the order sheet's cone,
             # whose tip comes down to y 493: the top 52 rows stay clear, so the button starts below it
             ("OrderUp", 500, 140, "pink", "Order up!", 2.0, False, {"clear_top": 52, "font": 56})]
    for name, w, h, col, label, sc, has_off, extra in plain:
        job(name + ".png", "button.svg", button_values(w, h, col, "normal", label, scale=sc, **extra), w, h)
        job(name + "Hover.png", "button.svg", button_values(w, h, col, "hover", label, scale=sc, **extra), w, h)
        if has_off:   # the Tutorial button's off picture shows that the tutorial is switched on
            job(name + "Off.png", "button.svg", button_values(*off_box(w, h), col, "on", label + " on", scale=sc,
                                                              canvas=(w, h), **extra), w, h)
    tabs = [("truck", "Truck"), ("cow", "Cow"), ("fridge", "Fridge"), ("trees", "Trees"), ("counter", "Counter")]
    for i, (icon, label) in enumerate(tabs):
        job("SceneButton%d.png" % (i + 1), "button.svg",
            button_values(400, 150, "cream", "normal", label, icon=icon, font=62), 400, 150)
        job("SceneButton%dOff.png" % (i + 1), "button.svg",      # the station on show: pressed and greyed
            button_values(*off_box(400, 150), "cream", "off", label, icon=icon, font=58, canvas=(400, 150)), 400, 150)
    for side, left in (("Left", True), ("Right", False)):
        job("Arrow%s.png" % side, "button.svg", arrow_values(120, "normal", left), 120, 120)
        job("Arrow%sHover.png" % side, "button.svg", arrow_values(120, "hover", left), 120, 120)
        job("Arrow%sOff.png" % side, "button.svg", arrow_values(120, "off", left), 120, 120)

    pictures.add_jobs(sys.modules[__name__])


# ---------------------------------------------------------------- rendering
def run(cmd):
    subprocess.run(cmd, check=True)


def render_one(j):
    name, template, values, w, h, opaque = j
    svg = stamp(template, values) if template.endswith(".svg") else values
    base = os.path.join(BUILD, name[:-4])
    with open(base + ".svg", "w", encoding="utf-8") as f:
        f.write(svg)
    raw = base + ".raw.png"
    run(["rsvg-convert", "-w", str(w), "-h", str(h), "-o", raw, base + ".svg"])
    out = os.path.join(OUT, name)
    if opaque:
        run(["convert", raw, "-background", "#000000", "-alpha", "remove", "-alpha", "off",
             "-define", "png:exclude-chunks=date,time", "-strip", "-depth", "8", "-type", "TrueColor", base + ".rgb.png"])
        run(["pngquant", "--force", "--strip", "--speed", "1", "--nofs", "--output", out, "256", base + ".rgb.png"])
    else:
        run(["pngquant", "--force", "--strip", "--speed", "1", "--output", out, "256", raw])
    run(["optipng", "-quiet", "-o2", "-strip", "all", out])
    return name


def main():
    os.makedirs(BUILD, exist_ok=True)
    os.makedirs(OUT, exist_ok=True)
    sys.path.insert(0, ART)
    build_jobs()
    only = set(sys.argv[1:])
    todo = [j for j in JOBS if not only or j[0][:-4] in only or j[0] in only]
    names = [j[0] for j in JOBS]
    dup = {n for n in names if names.count(n) > 1}
    if dup:
        raise SystemExit("duplicate pictures: %s" % sorted(dup))
    with ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as ex:
        for n in ex.map(render_one, todo):
            pass
    # anything in Images/ that no job makes is stale
    for f in sorted(os.listdir(OUT)):
        if f.endswith(".png") and f not in names and not only:
            os.remove(os.path.join(OUT, f))
    with open(os.path.join(BUILD, "pictures.txt"), "w") as f:
        f.write("\n".join(names) + "\n")
    print("rendered %d of %d pictures" % (len(todo), len(JOBS)))


if __name__ == "__main__":
    main()
