#!/usr/bin/env python3
"""Cuts a face out of a font collection down to the characters the window
shows, under a family name of its own, so that the program loads a few
kilobytes instead of a whole CJK face at start-up.

subset-font.py FONT.ttc FACE_INDEX FAMILY OUTPUT.ttf [TEXT_FILE...]

Every character of the text files is kept (the window's design source holds
all its captions), and printable ASCII and Latin-1 besides, for what the
fields show.

A face with PostScript (CFF) outlines is written with TrueType outlines: the
cubic curves become quadratic ones within a thousandth of the em, which no
one sees, and FreeType loads the glyphs of the window, drawn unhinted, in
about two thirds of the time.
"""
import sys

from fontTools import subset
from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont, newTable

# Largest distance of a quadratic curve from its cubic, in font units (the
# Noto CJK faces have 1000 to the em).
MAX_CURVE_ERROR = 1.0


def to_truetype_outlines(font):
    order = font.getGlyphOrder()
    glyphs = font.getGlyphSet()
    glyf = newTable("glyf")
    glyf.glyphOrder = order
    glyf.glyphs = {}
    for name in order:
        pen = TTGlyphPen(glyphs)
        # TrueType winds outer contours clockwise, PostScript the other way.
        glyphs[name].draw(Cu2QuPen(pen, MAX_CURVE_ERROR, reverse_direction=True))
        glyf.glyphs[name] = pen.glyph()
    font["glyf"] = glyf
    font["loca"] = newTable("loca")
    del font["CFF "]
    if "VORG" in font:  # vertical origins of CFF faces only
        del font["VORG"]
    maxp = font["maxp"]
    maxp.tableVersion = 0x00010000
    for field in ("maxZones", "maxTwilightPoints", "maxStorage", "maxFunctionDefs",
                  "maxInstructionDefs", "maxStackElements", "maxSizeOfInstructions",
                  "maxComponentElements", "maxComponentDepth"):
        setattr(maxp, field, 0)
    maxp.maxZones = 1
    post = font["post"]
    post.formatType = 2.0
    post.extraNames = []
    post.mapping = {}
    post.glyphOrder = order
    font.sfntVersion = "\x00\x01\x00\x00"


def main(argv):
    if len(argv) < 5:
        sys.stderr.write(__doc__)
        return 2
    source, index, family, output = argv[1], int(argv[2]), argv[3], argv[4]
    # Printable ASCII and the Latin-1 letters: with them fontconfig counts the
    # face as one for English, and Qt lets one font engine serve both the
    # Latin and the Chinese runs of a caption instead of making two.
    text = "".join(chr(c) for c in range(0x20, 0x7F))
    text += "".join(chr(c) for c in range(0xA0, 0x100))
    for path in argv[5:]:
        with open(path, encoding="utf-8") as f:
            text += f.read()

    font = TTFont(source, fontNumber=index, lazy=False)
    options = subset.Options()
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)

    # A family of its own: the system's full face of the same name must not
    # be taken in its place.
    style = font["name"].getDebugName(2) or "Regular"
    names = font["name"]
    for record in list(names.names):
        if record.nameID in (1, 16):
            record.string = family
        elif record.nameID in (4,):
            record.string = family + " " + style
        elif record.nameID == 6:
            record.string = (family + "-" + style).replace(" ", "")
    if "CFF " in font:
        to_truetype_outlines(font)
    font.save(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
