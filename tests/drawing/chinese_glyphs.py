"""Draws each DXF as a program without the SHX fonts does (ezdxf's drawing
add-on with matplotlib), on a system where the TrueType style's face is
installed: a free CJK font stands in for 仿宋 (simfang.ttf), as the offices'
Windows has it. Every text holding Chinese must come out as that font's
glyphs: the outlines drawn equal the same text's outlines drawn directly with
the font (placeholder boxes have a few corners, not a glyph's curves), and
their width is the glyphs' width.

Arguments: FILE.dxf ... Fails naming the package when no CJK font is there."""
import logging
import os
import sys
import tempfile

# matplotlib's font cache goes to a folder of this run, not to the home.
os.environ["MPLCONFIGDIR"] = tempfile.mkdtemp(prefix="orsela-mpl-")

import matplotlib  # noqa: E402

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from matplotlib.font_manager import FontProperties, findfont  # noqa: E402
from matplotlib.textpath import TextPath  # noqa: E402

import ezdxf  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.backend import prepare_string_for_rendering  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402
from ezdxf.tools import fonts  # noqa: E402

CJK_FAMILIES = ("WenQuanYi Zen Hei", "AR PL UKai CN", "AR PL UMing CN", "Noto Sans CJK JP")


# The SHX styles' faces are absent here on purpose; no need to say so per text.
logging.getLogger("matplotlib.font_manager").setLevel(logging.ERROR)


def installed_cjk_family():
    for family in CJK_FAMILIES:
        try:
            findfont(FontProperties(family=family), fallback_to_default=False)
            return family
        except ValueError:
            continue
    return None


def holds_chinese(text):
    return any(ord(c) >= 0x2E80 for c in text)


class RecordingBackend(MatplotlibBackend):
    """Keeps, for every text drawn, the outlines it added."""

    def __init__(self, ax):
        super().__init__(ax)
        self.drawn = []

    def draw_text(self, text, transform, properties, cap_height):
        before = len(self.ax.patches)
        super().draw_text(text, transform, properties, cap_height)
        shown = prepare_string_for_rendering(text, self.current_entity.dxftype())
        self.drawn.append((shown, [p.get_path() for p in self.ax.patches[before:]]))


def extent_ratio(paths):
    """Width over height of the outlines, in the text's own direction."""
    xs = [x for path in paths for x, _ in path.vertices]
    ys = [y for path in paths for _, y in path.vertices]
    return (max(xs) - min(xs)) / max(1e-9, max(ys) - min(ys))


def check(path, family):
    doc = ezdxf.readfile(path)
    problems = []
    style = doc.styles.get("GB_TTF") if "GB_TTF" in doc.styles else None
    if not style or style.dxf.font != "simfang.ttf" or style.get_extended_font_data()[0] != "仿宋":
        return ["no style GB_TTF naming 仿宋 (simfang.ttf)"]
    chinese = [t for t in doc.modelspace().query("TEXT") if holds_chinese(t.dxf.text)]
    problems += [f"{t.dxf.text!r} in style {t.dxf.style}, want GB_TTF" for t in chinese
                 if t.dxf.style != "GB_TTF"]
    figure = plt.figure()
    backend = RecordingBackend(figure.add_axes([0, 0, 1, 1]))
    Frontend(RenderContext(doc), backend).draw_layout(doc.modelspace(), finalize=True)
    plt.close(figure)
    direct_font = FontProperties(family=family)
    compared = 0
    for text, paths in backend.drawn:
        if not holds_chinese(text) or not text.strip():
            continue
        compared += 1
        direct = TextPath((0, 0), text, prop=direct_font)
        drawn_vertices = sum(len(p.vertices) for p in paths)
        if drawn_vertices != len(direct.vertices):
            problems.append(f"{text!r}: {drawn_vertices} outline points drawn, "
                            f"{len(direct.vertices)} in the font's glyphs")
            continue
        # Rotated texts (vertical) are compared in their own direction.
        drawn_ratio = extent_ratio(paths)
        want = extent_ratio([direct])
        if abs(drawn_ratio - want * 0.7) > 0.05 * want and abs(1 / drawn_ratio - want * 0.7) > \
                0.05 * want:
            problems.append(f"{text!r}: width/height {drawn_ratio:.3f}, the glyphs at width "
                            f"factor 0.7 give {want * 0.7:.3f}")
    if compared < 5:
        problems.append(f"only {compared} Chinese texts drawn")
    return problems


def main(paths):
    family = installed_cjk_family()
    if family is None:
        print("no CJK font for matplotlib: install fonts-wqy-zenhei (scripts/install-deps.sh)")
        return 1
    # The office's 仿宋, as ezdxf finds a style's face by its file name.
    fonts.font_face_cache["simfang.ttf"] = fonts.FontFace(ttf="simfang.ttf", family=family)
    failed = False
    for path in paths:
        problems = check(path, family)
        for problem in problems:
            print(f"{path}: {problem}")
        if not problems:
            print(f"{path}: every Chinese text drawn with the glyphs of {family}")
        failed |= bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
