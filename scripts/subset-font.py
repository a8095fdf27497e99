#!/usr/bin/env python3
"""Cuts a face out of a font collection down to the characters the window
shows, under a family name of its own, so that the program loads a few
kilobytes instead of a whole CJK face at start-up.

subset-font.py FONT.ttc FACE_INDEX FAMILY OUTPUT.otf TEXT_FILE...

Every character of the text files is kept (the window's design source holds
all its captions), and printable ASCII besides, for what the fields show.
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont


def main(argv):
    if len(argv) < 6:
        sys.stderr.write(__doc__)
        return 2
    source, index, family, output = argv[1], int(argv[2]), argv[3], argv[4]
    text = "".join(chr(c) for c in range(0x20, 0x7F))
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
    font.save(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
