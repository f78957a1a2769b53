"""Builds game/COMIC.ttf, the game's font, from Debian's Comic Neue Bold.

The game writes its score labels as "Highscore:" and a run of spaces, then
draws a cash symbol into that gap: the space is widened to half an em so the
number always starts right of the symbol. The family is renamed, as a
modified font should be.
"""
import sys

from fontTools.ttLib import TTFont

SOURCE = "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf"
TARGET = sys.argv[1] if len(sys.argv) > 1 else "game/COMIC.ttf"
SPACE_EM = 0.52

font = TTFont(SOURCE)
em = font["head"].unitsPerEm
space = font.getBestCmap()[ord(" ")]
advance, lsb = font["hmtx"][space]
font["hmtx"][space] = (round(em * SPACE_EM), lsb)
for record in font["name"].names:
    if record.nameID in (1, 3, 4, 6, 16):
        text = record.toUnicode().replace("Comic Neue", "Mervanta Comic").replace("ComicNeue", "MervantaComic")
        record.string = text
font.save(TARGET)
print(f"{TARGET}: space {advance} -> {font['hmtx'][space][0]} of {em} units")
