"""Renders a DXF drawing to PNG with ezdxf's drawing add-on (matplotlib), the
way the README's picture of the sample drawing was made:

    /usr/bin/python3 scripts/render-drawing.py spring.dxf docs/drawing.png

The SHX fonts of the GB text style are not on a Linux machine; the picture
takes Noto Sans CJK in their place (Debian fonts-noto-cjk), and prints every
layer black on white.
"""

import sys

import ezdxf
from ezdxf.addons.drawing import matplotlib as drawing_matplotlib


def main():
    source, target = sys.argv[1], sys.argv[2]
    dpi = int(sys.argv[3]) if len(sys.argv) > 3 else 150
    doc = ezdxf.readfile(source)
    for style in doc.styles:
        if style.dxf.font.lower().endswith(".shx"):
            style.dxf.font = "Noto Sans CJK JP.ttf"
            style.dxf.bigfont = ""
    for layer in doc.layers:
        layer.color = 7
    drawing_matplotlib.qsave(doc.modelspace(), target, bg="#FFFFFF", dpi=dpi)


if __name__ == "__main__":
    main()
