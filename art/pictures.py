"""One-off pictures: backgrounds, border, customers, faces, bubbles, signs and credits.

Called by stamp.py; `st` is the stamp module (job(), load(), mix(), Rand ...).
"""
import math

OL = "#3b2233"

# ---------------------------------------------------------------- customers
SKINS = {"light": "#ffd9bf", "tan": "#e9b48a", "dark": "#8d5a3b", "medium": "#c98e66"}

# name: skin, hair colour, style, shirt, pants
CUSTOMERS = [
    ("light", "#8a4f2a", "pigtails", "#ff8fb1", "#5a7bd8"),
    ("tan", "#3b2418", "cap", "#5fb0f0", "#4a4a6a"),
    ("dark", "#2a1a14", "afro", "#ffd84a", "#9a5ad0"),
    ("light", "#f2f2f2", "bald", "#7cc25a", "#8a6a4a"),
    ("medium", "#1f1a24", "long", "#a07ae8", "#3a5a8a"),
    ("light", "#e0702a", "beard", "#ff9a3a", "#4a6a4a"),
]


def eyes_and_smile(extra=""):
    return ('<g stroke="none"><ellipse cx="78" cy="96" rx="8" ry="10" fill="#3b2233"/><ellipse cx="122" cy="96" rx="8" ry="10" fill="#3b2233"/>'
            '<circle cx="75" cy="92" r="3.2" fill="#ffffff"/><circle cx="119" cy="92" r="3.2" fill="#ffffff"/>'
            '<ellipse cx="64" cy="116" rx="10" ry="6" fill="#ff8fa0" opacity="0.6"/><ellipse cx="136" cy="116" rx="10" ry="6" fill="#ff8fa0" opacity="0.6"/></g>'
            '<path d="M86,120 Q100,134 114,120" fill="none" stroke-width="5"/>' + extra)


def hair(style, col, back):
    """(behind-the-head shapes, shapes over the head) for one hair style, front or back view."""
    dark = "#3b2233"
    if style == "pigtails":
        tails = ('<circle cx="28" cy="120" r="22" fill="%s"/><circle cx="172" cy="120" r="22" fill="%s"/>'
                 '<circle cx="44" cy="104" r="7" fill="#ff5fa2"/><circle cx="156" cy="104" r="7" fill="#ff5fa2"/>' % (col, col))
        if back:
            return tails, ('<circle cx="100" cy="92" r="62" fill="%s"/><path d="M100,32 L100,150" fill="none" stroke-width="4"/>' % col)
        return tails, '<path d="M38,96 C30,44 66,28 100,28 C134,28 170,44 162,96 C150,70 128,60 104,64 C92,80 70,86 48,80 C42,86 40,90 38,96 Z" fill="%s"/>' % col
    if style == "cap":
        cap_f = ('<path d="M40,74 C40,20 160,20 160,74 Z" fill="#e8323c"/>'
                 '<path d="M36,72 Q100,56 164,72 L170,84 Q100,70 30,84 Z" fill="#c01f2a"/>'
                 '<circle cx="100" cy="30" r="6" fill="#ffffff"/>')
        if back:
            return "", ('<path d="M40,110 C36,134 60,150 100,152 C140,150 164,134 160,110 Z" fill="%s"/>' % col +
                        '<path d="M38,88 C36,24 164,24 162,88 Z" fill="#e8323c"/>'
                        '<path d="M80,84 Q100,72 120,84 L120,96 L80,96 Z" fill="#ffffff"/>')
        return "", cap_f + '<path d="M42,86 Q50,98 44,110 M158,86 Q150,98 156,110" fill="none" stroke="%s" stroke-width="8"/>' % col
    if style == "afro":
        puff = '<circle cx="100" cy="70" r="80" fill="%s"/>' % col
        if back:
            return puff, '<circle cx="100" cy="86" r="66" fill="%s"/>' % col
        return puff, ('<path d="M40,84 C40,50 70,34 100,38 C130,34 160,50 160,84 C140,64 120,60 100,62 C80,60 60,64 40,84 Z" fill="%s"/>' % col +
                      '<circle cx="150" cy="40" r="10" fill="#ff5fa2"/>')
    if style == "bald":
        tufts = '<path d="M36,80 C30,96 34,112 44,118 L46,86 Z M164,80 C170,96 166,112 156,118 L154,86 Z" fill="%s"/>' % col
        if back:
            return "", tufts + '<path d="M44,96 Q100,140 156,96 L158,118 Q100,162 42,118 Z" fill="%s"/>' % col
        return "", (tufts + '<g fill="none" stroke-width="5"><circle cx="78" cy="96" r="16"/><circle cx="122" cy="96" r="16"/><path d="M94,96 L106,96"/></g>'
                    '<path d="M76,118 Q88,108 100,116 Q112,108 124,118 Q112,128 100,122 Q88,128 76,118 Z" fill="%s"/>' % col)
    if style == "long":
        curtain = '<path d="M36,90 C30,30 170,30 164,90 L172,190 Q100,206 28,190 Z" fill="%s"/>' % col
        if back:
            return "", curtain
        return curtain, '<path d="M40,92 C34,40 80,28 104,30 C134,30 168,46 160,96 C148,70 120,58 96,58 C76,64 56,78 40,92 Z" fill="%s"/>' % col
    if style == "beard":
        top = '<path d="M40,84 C36,34 70,26 100,28 C130,26 164,34 160,84 C150,60 130,54 100,54 C70,54 50,60 40,84 Z" fill="%s"/>' % col
        if back:
            return "", '<path d="M38,100 C30,30 170,30 162,100 C150,124 50,124 38,100 Z" fill="%s"/>' % col
        beard = ('<path d="M44,100 C46,150 74,160 100,160 C126,160 154,150 156,100 C150,118 130,128 118,124 Q100,134 82,124 C70,128 50,118 44,100 Z" fill="%s"/>'
                 '<path d="M86,126 Q100,136 114,126" fill="none" stroke="#ffffff" stroke-width="4"/>' % col)
        return "", top + beard
    raise ValueError(style)


def customer_values(i, back):
    skin, hcol, style, shirt, pants = CUSTOMERS[i]
    behind, over = hair(style, hcol, back)
    v = {"SKIN": SKINS[skin], "SHIRT": shirt, "PANTS": pants, "BEHIND": behind, "HAIR": over}
    v["FACE"] = "" if back else eyes_and_smile()
    if style == "bald" and not back:
        v["FACE"] = v["FACE"].replace('<path d="M86,120 Q100,134 114,120" fill="none" stroke-width="5"/>', "")
    if style == "beard" and not back:
        v["FACE"] = v["FACE"].replace('<path d="M86,120 Q100,134 114,120" fill="none" stroke-width="5"/>', "")
    detail = {
        0: '<circle cx="100" cy="186" r="12" fill="#ffffff" stroke-width="4"/>',
        1: '<path d="M60,196 L140,196" stroke="#ffffff" stroke-width="8"/>',
        2: '<path d="M80,160 L100,176 L120,160" fill="none" stroke-width="5"/>',
        3: '<g fill="#ffd84a" stroke-width="3"><circle cx="100" cy="180" r="5"/><circle cx="100" cy="200" r="5"/></g>',
        4: '<path d="M74,158 L74,200 M126,158 L126,200" stroke="#ffffff" stroke-width="4"/>',
        5: '<rect x="112" y="176" width="22" height="18" rx="4" fill="#ffd0a0" stroke-width="4"/>',
    }[i]
    v["SHIRTDETAIL"] = "" if back else detail
    return v


# ---------------------------------------------------------------- faces and bubbles
FACES = [
    ("#ff6b6b", '<path d="M28,36 L42,42 M72,36 L58,42"/><circle cx="36" cy="50" r="3" fill="#3b2233"/><circle cx="64" cy="50" r="3" fill="#3b2233"/>'
                '<path d="M30,76 Q50,58 70,76"/><path d="M74,56 q4,10 0,14" stroke="#5fb0f0" stroke-width="5"/>'),
    ("#ffa24a", '<circle cx="36" cy="44" r="4" fill="#3b2233"/><circle cx="64" cy="44" r="4" fill="#3b2233"/><path d="M32,72 Q50,62 68,72"/>'),
    ("#ffd84a", '<circle cx="36" cy="44" r="4" fill="#3b2233"/><circle cx="64" cy="44" r="4" fill="#3b2233"/><path d="M34,68 L66,68"/>'),
    ("#b6e36a", '<circle cx="36" cy="42" r="4" fill="#3b2233"/><circle cx="64" cy="42" r="4" fill="#3b2233"/><path d="M32,62 Q50,78 68,62"/>'),
    ("#5fd36a", '<path d="M28,44 Q36,34 44,44 M56,44 Q64,34 72,44"/><path d="M28,58 Q50,90 72,58 Z" fill="#ffffff"/>'
                '<g stroke="none" fill="#ff8fa0" opacity="0.7"><ellipse cx="24" cy="58" rx="7" ry="5"/><ellipse cx="76" cy="58" rx="7" ry="5"/></g>'),
]

HAPPY_BUBBLE = ('<g transform="translate(88 44)" stroke="#3b2233" stroke-width="6" stroke-linejoin="round">'
                '<path d="M14,44 L46,44 L31,92 Q30,95 29,92 Z" fill="#f2b35e"/>'
                '<path d="M8,46 C0,22 16,4 30,4 C44,4 60,22 52,46 Z" fill="#f7a1bd"/>'
                '<circle cx="30" cy="2" r="7" fill="#e8323c"/></g>'
                '<path d="M66,70 C58,58 70,50 76,60 C82,50 94,58 86,70 L76,82 Z" fill="#ff5f8f" stroke="#3b2233" stroke-width="5" stroke-linejoin="round"/>'
                '<path d="M150,60 C142,48 154,40 160,50 C166,40 178,48 170,60 L160,72 Z" fill="#ff5f8f" stroke="#3b2233" stroke-width="5" stroke-linejoin="round"/>')
ANGRY_BUBBLE = ('<g stroke="#3b2233" stroke-width="6" stroke-linecap="round" stroke-linejoin="round" fill="none">'
                '<path d="M70,96 C80,70 100,110 110,80 C120,50 136,110 146,78 C152,60 166,80 160,96" stroke="#7a2a3a" stroke-width="7"/></g>'
                '<g transform="translate(126 52)" stroke="#e8323c" stroke-width="8" stroke-linecap="round" fill="none">'
                '<path d="M-18,-6 Q-6,-6 -6,-18 M6,-18 Q6,-6 18,-6 M18,6 Q6,6 6,18 M-6,18 Q-6,6 -18,6"/></g>'
                '<g transform="translate(74 56)" stroke="#3b2233" stroke-width="5" stroke-linejoin="round">'
                '<path d="M-10,-6 L10,-6 L1,20 Q0,22 -1,20 Z" fill="#f2b35e"/>'
                '<path d="M-14,-4 C-20,-20 -6,-28 0,-28 C6,-28 20,-20 14,-4 Z" fill="#9fe6c6"/>'
                '<path d="M-16,-30 L18,14" stroke="#e8323c" stroke-width="7" stroke-linecap="round"/></g>')


# ---------------------------------------------------------------- generated decorations
def sprinkles(st, w, h, n, seed, avoid):
    r = st.Rand(seed)
    cols = ["#ff6b9a", "#ffe066", "#ffffff", "#9bf07a", "#b59cff"]
    out = []
    while len(out) < n:
        x, y = r.uni(0, w), r.uni(0, h)
        a, c = r.uni(0, 180), cols[int(r.next() * len(cols)) % len(cols)]
        if avoid(x, y):
            continue
        dx, dy = 9 * math.cos(math.radians(a)), 9 * math.sin(math.radians(a))
        out.append('<path d="M%.1f,%.1f L%.1f,%.1f" stroke="%s"/>' % (x - dx, y - dy, x + dx, y + dy, c))
    return "".join(out)


def rays(cx, cy, n, r):
    out = []
    for i in range(n):
        a0 = 2 * math.pi * i / n
        a1 = a0 + math.pi / n
        out.append('<path d="M%d,%d L%.1f,%.1f L%.1f,%.1f Z"/>' % (cx, cy, cx + r * math.cos(a0), cy + r * math.sin(a0),
                                                                   cx + r * math.cos(a1), cy + r * math.sin(a1)))
    return "".join(out)


def flags():
    cols = ["#ff8fb1", "#ffe066", "#7fded2", "#b59cff", "#ffab3d"]
    out = []
    for i in range(17):
        x = -10 + i * 100
        t = (x + 20) / 1640.0
        # follow the bunting string (two quadratic dips)
        u = (x + 20) / 820.0 if x < 800 else (x - 800) / 820.0
        y = 40 + 2 * u * (1 - u) * 90 + 0 * t
        out.append('<path d="M%d,%.1f L%d,%.1f L%d,%.1f Z" fill="%s"/>' % (x - 26, y, x + 26, y, x, y + 56, cols[i % 5]))
    return "".join(out)


def stars(st):
    r = st.Rand(77)
    out = []
    for _ in range(40):
        x, y, s = r.uni(20, 1580), r.uni(10, 380), r.uni(2, 5)
        out.append('<circle cx="%.1f" cy="%.1f" r="%.1f"/>' % (x, y, s))
    return "".join(out)


def burst(cx, cy, n, r0, r1):
    pts = []
    for i in range(2 * n):
        a = math.pi * i / n - math.pi / 2
        r = r1 if i % 2 == 0 else r0
        pts.append("%.1f,%.1f" % (cx + r * math.cos(a), cy + r * math.sin(a)))
    return "M" + " L".join(pts) + " Z"


# ---------------------------------------------------------------- credits
CREDITS = [
    ("title", "Mervanta"),
    ("sub", "the ice cream truck game"),
    ("gap", 40),
    ("head", "Made by"),
    ("line", "The Mervanta team"),
    ("small", "game design, code, pictures and words"),
    ("gap", 20),
    ("head", "Thank you"),
    ("small", "to everyone who tried the truck"),
    ("small", "and asked for one more scoop"),
    ("gap", 30),
    ("head", "Built with"),
    ("lib", "SDL2", "Simple DirectMedia Layer", "Copyright (C) Sam Lantinga", "zlib licence"),
    ("lib", "SDL2_image", "image loading for SDL", "Copyright (C) Sam Lantinga", "zlib licence"),
    ("lib", "SDL2_ttf", "TrueType fonts for SDL", "Copyright (C) Sam Lantinga", "zlib licence"),
    ("lib", "libpng", "PNG reference library", "Copyright (C) the PNG Reference Library Authors",
     "libpng licence (PNG Reference Library License v2)"),
    ("lib", "zlib", "compression library", "Copyright (C) Jean-loup Gailly and Mark Adler", "zlib licence"),
    ("lib", "FreeType", "font rendering", "Portions copyright (C) The FreeType Project", "FreeType Licence (FTL)"),
    ("gap", 20),
    ("head", "Font"),
    ("lib", "Comic Neue Bold", "by Craig Rozynski, Hrant Papazian", "and Brandon Schoech, 2014-2016", "SIL Open Font License 1.1"),
    ("gap", 20),
    ("head", "The zlib licence"),
    ("para", "This software is provided 'as-is', without any express or implied warranty. In no event will the "
             "authors be held liable for any damages arising from the use of this software. Permission is granted "
             "to anyone to use this software for any purpose, including commercial applications, and to alter it "
             "and redistribute it freely, subject to the following restrictions: 1. The origin of this software "
             "must not be misrepresented; you must not claim that you wrote the original software. 2. Altered "
             "source versions must be plainly marked as such, and must not be misrepresented as being the "
             "original software. 3. This notice may not be removed or altered from any source distribution."),
    ("gap", 20),
    ("head", "Open Font License"),
    ("para", "Comic Neue is free software under the SIL Open Font License, Version 1.1. The font and its "
             "licence text travel with the game in COMIC.ttf and COMIC-LICENSE.txt."),
    ("gap", 40),
    ("title2", "Thanks for playing!"),
    ("gap", 200),
]


def wrap(text, width):
    words, lines, cur = text.split(), [], ""
    for w in words:
        if len(cur) + len(w) + 1 > width:
            lines.append(cur)
            cur = w
        else:
            cur = (cur + " " + w).strip()
    if cur:
        lines.append(cur)
    return lines


def credits_body():
    y = 420          # the first 410 rows show a scoop picture and the title
    out = ['<g transform="translate(341 128)" stroke="#3b2233" stroke-width="6" stroke-linejoin="round">'
           '<path d="M-40,40 L40,40 L3,150 Q0,156 -3,150 Z" fill="#f2b35e"/>'
           '<path d="M-48,44 C-64,10 -36,-30 0,-30 C36,-30 64,10 48,44 Z" fill="#9fe6c6"/>'
           '<path d="M-40,-18 C-52,-56 -24,-86 0,-86 C24,-86 52,-56 40,-18 C20,-8 -20,-8 -40,-18 Z" fill="#f7a1bd"/>'
           '<circle cx="0" cy="-92" r="14" fill="#e8323c"/></g>']
    T = '<text x="%d" y="%d" font-family="Comic Neue" font-weight="700" font-size="%d" text-anchor="middle" fill="%s"%s>%s</text>'
    stroke = ' stroke="#3b2233" stroke-width="%d" stroke-linejoin="round" paint-order="stroke"'
    first = True
    for item in CREDITS:
        kind = item[0]
        if kind == "title":
            yy = 290 if first else y
            out.append(T % (341, yy + 50, 76, "#ff8fb1", stroke % 10, item[1]))
            if first:
                first = False
                continue
            y += 90
        elif kind == "sub":
            out.append(T % (341, 384, 30, "#3aa6a8", "", item[1]))
        elif kind == "title2":
            out.append(T % (341, y + 50, 54, "#ff8fb1", stroke % 8, item[1]))
            y += 80
        elif kind == "gap":
            y += item[1]
        elif kind == "head":
            out.append('<rect x="141" y="%d" width="400" height="54" rx="27" fill="#ff8fb1" stroke="#3b2233" stroke-width="4"/>' % y)
            out.append(T % (341, y + 39, 36, "#ffffff", stroke % 6, item[1]))
            y += 84
        elif kind == "line":
            out.append(T % (341, y + 36, 38, "#3b2233", "", item[1]))
            y += 52
        elif kind == "small":
            out.append(T % (341, y + 28, 28, "#6a5a70", "", item[1]))
            y += 40
        elif kind == "lib":
            _, name, what, who, lic = item
            out.append(T % (341, y + 36, 38, "#3b2233", "", name))
            out.append(T % (341, y + 72, 26, "#6a5a70", "", what))
            out.append(T % (341, y + 104, 24, "#6a5a70", "", who))
            out.append(T % (341, y + 138, 27, "#2f9a92", "", lic))
            y += 168
        elif kind == "para":
            for line in wrap(item[1], 44):
                out.append(T % (341, y + 28, 25, "#4a3a50", "", line.replace("'", "&#39;")))
                y += 36
            y += 10
    return "\n  ".join(out), max(2600, y)


# ---------------------------------------------------------------- jobs
def add_jobs(st):
    truck = st.load("truck.svgfrag")
    job = st.job
    job("SceneBackground1.png", "bg-truck.svg", {"TRUCK": truck}, 1920, 1080, opaque=True)
    job("SceneBackground2.png", "bg-cow.svg", {}, 1920, 1080, opaque=True)
    fridge_a = {"LED": "#3fe06a", "GLOW": "0.35", "GX": "1180", "GY": "140", "GLINT": "0.9"}
    fridge_b = {"LED": "#1f7a3a", "GLOW": "0", "GX": "1180", "GY": "140", "GLINT": "0.35"}
    job("SceneBackground3.png", "bg-fridge.svg", fridge_a, 1920, 1080, opaque=True)
    job("SceneBackground3v2.png", "bg-fridge.svg", fridge_b, 1920, 1080, opaque=True)
    job("SceneBackground4.png", "bg-trees.svg", {}, 1920, 1080, opaque=True)
    job("SceneBackground5.png", "bg-counter.svg", {}, 1920, 1080, opaque=True)
    job("MainMenuBackground.png", "bg-menu.svg", {"TRUCK": truck, "RAYS": rays(800, 240, 18, 1400), "FLAGS": flags()},
        1920, 1080, opaque=True)
    job("gameOverBackground.png", "bg-gameover.svg", {"TRUCK": truck, "STARS": stars(st)}, 1920, 1080, opaque=True)

    def in_hole(x, y):
        return x < 1222 and y < 792
    job("GameBorder.png", "border.svg", {"SPRINKLES": sprinkles(st, 1760, 790, 140, 5, in_hole)}, 1760, 1125)

    for i in range(6):
        job("Customer%dFront.png" % (i + 1), "customer.svg", customer_values(i, False), 200, 280)
        job("Customer%dBack.png" % (i + 1), "customer.svg", customer_values(i, True), 200, 280)
    job("ThoughtBubbleHappy.png", "bubble.svg", {"FILL": "#ffffff", "INNER": HAPPY_BUBBLE}, 220, 200)
    job("ThoughtBubbleAngry.png", "bubble.svg", {"FILL": "#ffd6d6", "INNER": ANGRY_BUBBLE}, 220, 200)
    for i, (col, feat) in enumerate(FACES):
        place = "translate(0 6) scale(0.88)" if i in (0, 4) else "translate(0 0)"
        job("HappinessFace%d.png" % (i + 1), "face.svg",
            {"BASE": col, "LIGHT": st.mix(col, "#ffffff", 0.5), "FEATURES": feat, "PLACE": place}, 100, 100)

    job("Tree.png", "tree.svg", {}, 400, 400)
    job("OrderSheet.png", "ordersheet.svg", {}, 350, 550)
    job("Logo.png", "logo.svg", {"BURST": burst(200, 180, 16, 150, 176)}, 400, 400)
    job("Cursor.png", "cursor.svg", {}, 64, 64)
    job("BasketIcon.png", "basket.svg", {}, 200, 200)
    job("BucketIcon.png", "bucketicon.svg", {}, 200, 200)
    job("CashSymbol.png", "cash.svg", {}, 80, 120)
    job("Pause.png", "pause.svg", {}, 500, 200)
    job("TextBox.png", "textbox.svg", {}, 800, 300)
    job("TextBoxFilter.png", "textboxfilter.svg", {}, 800, 300)
    body, h = credits_body()
    job("Credits.png", "credits.svg", {"BODY": body, "H": str(h), "H4": str(h - 4), "H14": str(h - 14),
                                       "H32": str(h - 32)}, 683, h)
