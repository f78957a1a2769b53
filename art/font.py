"""Builds game/COMIC.ttf, the game's font, from Debian's Comic Neue Bold.

The game writes its score lines as a label, a run of spaces and the value:
"Highscore:" and "Lastscore:" with five or six spaces, and draws a cash
symbol into the gap. SDL_ttf shapes text with HarfBuzz and applies the
font's GPOS 'kern' feature, so the font sets the values in one column
whatever the label and however many spaces follow it:
  - a run of spaces is as wide as one space (each space followed by another
    gives its advance back), so five or six spaces make the same gap;
  - the first space after "Highscore:" and after "Lastscore:" is widened, each
    by its own amount, to a tab stop: at 26 pt the value starts 184 px into
    the line for either label, right of the cash symbol (drawn 140-170 px in).
Everywhere else the spacing is Comic Neue's own: plain words keep their
usual word space. The family is renamed, as a modified font should be. The
file is written byte for byte the same on every run (the source's time
stamps are kept).
"""
import sys

from fontTools.otlLib import builder as otl
from fontTools.ttLib import TTFont
from fontTools.ttLib.tables import otTables as ot

SOURCE = "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf"
TARGET = sys.argv[1] if len(sys.argv) > 1 else "game/COMIC.ttf"

# The space: 346 units are 9.0 px at the score lines' 26 pt, so a space and
# the advance it gives back cancel to the pixel.
SPACE = 346
# How far the first space after each label is widened, in font units: the
# labels differ by 259 units ("High" against "Last"), and each amount sits in
# the middle of the one-pixel window in which the value lands at 184 px at
# 26 pt, so hinting's rounding cannot move one value without the other.
WIDEN = {"Highscore:": 2246, "Lastscore:": 2514}


def glyphs_of(font, text):
    cmap = font.getBestCmap()
    return [cmap[ord(c)] for c in text]


def value(x_advance):
    v = ot.ValueRecord()
    v.XAdvance = x_advance
    return v


def widen_after(font, label, lookup_index):
    """A chained rule: a space right after `label` takes the single
    adjustment at lookup_index."""
    st = ot.ChainContextPos()
    st.Format = 3
    back = list(reversed(glyphs_of(font, label)))   # nearest glyph first
    st.BacktrackGlyphCount = len(back)
    st.BacktrackCoverage = [otl.buildCoverage([g], font.getReverseGlyphMap()) for g in back]
    space = glyphs_of(font, " ")[0]
    st.InputGlyphCount = 1
    st.InputCoverage = [otl.buildCoverage([space], font.getReverseGlyphMap())]
    st.LookAheadGlyphCount = 0
    st.LookAheadCoverage = []
    record = ot.PosLookupRecord()
    record.SequenceIndex = 0
    record.LookupListIndex = lookup_index
    st.PosCount = 1
    st.PosLookupRecord = [record]
    return st


def add_score_spacing(font):
    gpos = font["GPOS"].table
    lookups = gpos.LookupList.Lookup
    space = glyphs_of(font, " ")[0]
    glyph_map = font.getReverseGlyphMap()

    # one single adjustment per label (a chained rule points at it)
    singles = {}
    for label, extra in WIDEN.items():
        sub = otl.buildSinglePosSubtable({space: value(extra)}, glyph_map)
        singles[label] = len(lookups)
        lookups.append(otl.buildLookup([sub]))
    chain = otl.buildLookup([widen_after(font, label, singles[label]) for label in WIDEN])
    pairs = otl.buildPairPosGlyphs({(space, space): (value(-SPACE), None)}, glyph_map)
    collapse = otl.buildLookup(pairs)
    new = []
    for lookup in (chain, collapse):
        new.append(len(lookups))
        lookups.append(lookup)
    gpos.LookupList.LookupCount = len(lookups)
    for record in gpos.FeatureList.FeatureRecord:
        if record.FeatureTag == "kern":
            record.Feature.LookupListIndex += new
            record.Feature.LookupCount = len(record.Feature.LookupListIndex)


def main():
    font = TTFont(SOURCE, recalcTimestamp=False)
    space = glyphs_of(font, " ")[0]
    advance, lsb = font["hmtx"][space]
    font["hmtx"][space] = (SPACE, lsb)
    add_score_spacing(font)
    for record in font["name"].names:
        if record.nameID in (1, 3, 4, 6, 16):
            text = record.toUnicode().replace("Comic Neue", "Mervanta Comic").replace("ComicNeue", "MervantaComic")
            record.string = text
    font.save(TARGET)
    print(f"{TARGET}: space {advance} -> {SPACE} of {font['head'].unitsPerEm} units, "
          f"score values at a tab stop")


if __name__ == "__main__":
    main()
