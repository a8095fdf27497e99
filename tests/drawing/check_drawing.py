"""Reads a drawing orsela-cli wrote with an independent reader.

check_drawing.py dxf FILE.dxf RESULTS.json WIRE MEAN [TEXT ...]
    ezdxf audits the file clean; the layers, the line types, the text styles
    and the dimension style are there; every dimension's text is the length
    it measures, and the design's sizes (d, D, D2, H0, H1..H3, Hb) are all
    dimensioned; every TEXT given reads back equal; nothing lies off the sheet.
check_drawing.py torsion FILE.dxf RESULTS.json WIRE MEAN LEG1 LEG2 [TEXT ...]
    as dxf, for a torsion spring: d, D, D2, D1, the body's free length and
    both legs dimensioned; each working point's torque and angle in the
    technical requirements equal to the results (to the shown decimal).
check_drawing.py svg FILE.svg [TEXT ...]
    the file parses as XML, is an <svg> and holds each TEXT.
"""

import json
import math
import re
import sys
import xml.etree.ElementTree as ET

LAYERS = {"01粗实线": "Continuous", "02细实线": "Continuous", "05细点画线": "CENTER",
          "08尺寸线": "Continuous", "10剖面符号": "Continuous", "11文本": "Continuous"}


def number(text):
    return float(text.replace("%%c", "").replace("%%C", ""))


def measured(dim):
    # From the definition points alone, not from the stored measurement.
    d = dim.dxf
    if d.dimtype & 7 == 3:  # diameter
        return math.hypot(d.defpoint.x - d.defpoint4.x, d.defpoint.y - d.defpoint4.y)
    a = math.radians(d.get("angle", 0.0))
    return abs((d.defpoint3.x - d.defpoint2.x) * math.cos(a) +
               (d.defpoint3.y - d.defpoint2.y) * math.sin(a))


def sizes_wanted(results, wire, mean):
    wanted = {"d": wire, "D": mean, "D2": wire + mean, "H0": results["FreeHeight"]}
    for k in (1, 2, 3):
        wanted[f"H{k}"] = results[f"WorkingHeight{k}"]
    if "--extension" not in sys.argv:
        wanted["Hb"] = results["SolidHeight"]
    return wanted


def torsion_wanted(results, wire, mean, legs):
    return {"d": wire, "D": mean, "D2": results["OuterDiameter"], "D1": results["InnerDiameter"],
            "L0": results["FreeBodyLength"], "l1": legs[0], "l2": legs[1]}


def torsion_points(results, contents):
    """Each working point's line in the requirements, read back as numbers."""
    problems = []
    text = "".join(sorted(contents))
    for k in (1, 2, 3):
        if f"WorkingAngle{k}" not in results:
            continue
        found = re.search(rf"φ{k} = ([0-9.]+)° 时，工作扭矩 T{k} = ([0-9.]+) N·mm", text)
        if not found:
            problems.append(f"no requirement for working point {k}")
            continue
        for got, key in zip(found.groups(), (f"WorkingAngle{k}", f"WorkingTorque{k}")):
            if abs(float(got) - results[key]) > 0.05 + 1e-6:
                problems.append(f"{key}: drawing says {got}, results {results[key]}")
    return problems


def check_dxf(path, results_path, wire, mean, texts, legs=None):
    import ezdxf
    problems = []
    doc = ezdxf.readfile(path)
    if doc.dxfversion < "AC1015":
        problems.append(f"version {doc.dxfversion}, want AC1015 or later")
    auditor = doc.audit()
    for entry in auditor.errors + auditor.fixes:
        problems.append(f"audit: {entry.message}")
    for name, linetype in LAYERS.items():
        if name not in doc.layers:
            problems.append(f"no layer {name}")
        elif doc.layers.get(name).dxf.linetype != linetype:
            problems.append(f"layer {name}: line type {doc.layers.get(name).dxf.linetype}")
    if "CENTER" not in doc.linetypes or len(doc.linetypes.get("CENTER").pattern_tags.tags) < 4:
        problems.append("no dash-dot line type CENTER")
    style = doc.styles.get("GB") if "GB" in doc.styles else None
    if not style or style.dxf.font != "gbenor.shx" or style.dxf.bigfont != "gbcbig.shx":
        problems.append("no text style GB with gbenor.shx and gbcbig.shx")
    fallback = doc.styles.get("GB_TTF") if "GB_TTF" in doc.styles else None
    if not fallback or fallback.get_extended_font_data()[0] != "仿宋":
        problems.append("no TrueType fallback style naming 仿宋")
    if "GB" not in doc.dimstyles:
        problems.append("no dimension style GB")

    msp = doc.modelspace()
    values = []
    for dim in msp.query("DIMENSION"):
        text = dim.dxf.text
        try:
            value = number(text)
        except ValueError:
            problems.append(f"dimension text {text!r} is no number")
            continue
        if abs(value - measured(dim)) > 0.05 + 1e-6:
            problems.append(f"dimension {text}: measures {measured(dim):.4f}")
        block = dim.get_geometry_block()
        if block is None or not any(e.dxf.text == text for e in block.query("TEXT")):
            problems.append(f"dimension {text}: its picture lacks the text")
        values.append(value)

    with open(results_path, encoding="utf-8") as f:
        results = json.load(f)["values"]
    wanted = torsion_wanted(results, wire, mean, legs) if legs else sizes_wanted(results, wire,
                                                                                   mean)
    for name, value in wanted.items():
        if not any(abs(v - value) <= 0.05 + 1e-6 for v in values):
            problems.append(f"{name} = {value} is not dimensioned (have {values})")

    contents = {t.dxf.text for t in msp.query("TEXT")}
    if legs:
        problems += torsion_points(results, contents)
        if "Mass" in results and f"{results['Mass']:.1f} g" not in contents:
            problems.append(f"the title block's 重量 is not {results['Mass']:.1f} g")
    for text in ["技术要求"] + texts:
        if text not in contents:
            problems.append(f"text {text!r} missing")

    low, high = doc.header["$LIMMIN"], doc.header["$LIMMAX"]
    for e in msp.query("LINE CIRCLE TEXT"):
        p = e.dxf.start if e.dxftype() == "LINE" else (e.dxf.center if e.dxftype() == "CIRCLE"
                                                        else e.dxf.insert)
        if not (low[0] - 1e-6 <= p.x <= high[0] + 1e-6 and low[1] - 1e-6 <= p.y <= high[1] + 1e-6):
            problems.append(f"{e.dxftype()} at {p} lies off the sheet")
            break
    return problems


def check_svg(path, texts):
    root = ET.parse(path).getroot()
    problems = [] if root.tag.endswith("svg") else [f"root is {root.tag}"]
    contents = {t.text for t in root.iter() if t.tag.endswith("text")}
    for text in ["技术要求"] + texts:
        if text not in contents:
            problems.append(f"text {text!r} missing")
    return problems


def main():
    kind = sys.argv[1]
    args = [a for a in sys.argv[2:] if a != "--extension"]
    if kind == "torsion":
        problems = check_dxf(args[0], args[1], float(args[2]), float(args[3]), args[6:],
                             (float(args[4]), float(args[5])))
    elif kind == "dxf":
        problems = check_dxf(args[0], args[1], float(args[2]), float(args[3]), args[4:])
    else:
        problems = check_svg(args[0], args[1:])
    for p in problems:
        print(f"{args[0]}: {p}")
    if not problems:
        print(f"{args[0]}: ok")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
