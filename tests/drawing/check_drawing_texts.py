"""Reads back every drawing drawing_text_samples wrote: each SVG must parse
as XML, each DXF must be read by ezdxf (not in recover mode) with a clean
audit and the same number of texts in both versions of a design."""
import pathlib
import sys
import xml.etree.ElementTree as ElementTree

import ezdxf


def main(folder):
    folder = pathlib.Path(folder)
    svgs = sorted(folder.glob("text-*.svg"))
    dxfs = sorted(folder.glob("text-*.dxf"))
    if len(svgs) < 10 or len(dxfs) < 2:
        sys.exit(f"too few files in {folder}: {len(svgs)} SVG, {len(dxfs)} DXF")
    for svg in svgs:
        try:
            ElementTree.parse(svg)
        except ElementTree.ParseError as error:
            sys.exit(f"{svg.name}: not well-formed XML: {error}")
    counts = {}
    for dxf in dxfs:
        try:
            document = ezdxf.readfile(dxf)
        except (ezdxf.DXFStructureError, UnicodeDecodeError) as error:
            sys.exit(f"{dxf.name}: ezdxf cannot read it: {error}")
        auditor = document.audit()
        if auditor.has_errors:
            sys.exit(f"{dxf.name}: audit errors: {[e.message for e in auditor.errors]}")
        texts = len(document.modelspace().query("TEXT"))
        counts.setdefault(dxf.name.rsplit("-", 1)[0], set()).add(texts)
    for design, found in counts.items():
        if len(found) != 1:
            sys.exit(f"{design}: the DXF versions hold different numbers of texts: {found}")
    print(f"{len(svgs)} SVG and {len(dxfs)} DXF files read back")


if __name__ == "__main__":
    main(sys.argv[1])
