"""LibreCAD, a CAD program of its own, opens each DXF and prints it to PDF
headless: one page, with ink on it.

librecad_prints.py LIBRECAD FOLDER FILE.dxf ...
LibreCAD's settings go to FOLDER, not to the user's home.
"""

import os
import subprocess
import sys


def ink(pdf, folder):
    base = os.path.join(folder, "page")
    subprocess.run(["pdftoppm", "-gray", "-r", "20", "-f", "1", "-l", "1", pdf, base],
                   check=True, timeout=60)
    page = next(f for f in sorted(os.listdir(folder)) if f.startswith("page") and
                f.endswith(".pgm"))
    with open(os.path.join(folder, page), "rb") as f:
        data = f.read()
    os.remove(os.path.join(folder, page))
    # Binary PGM: the header has four fields, then one byte a pixel.
    header_end = 0
    for _ in range(4):
        while data[header_end:header_end + 1].isspace():
            header_end += 1
        while not data[header_end:header_end + 1].isspace():
            header_end += 1
    pixels = data[header_end + 1:]
    return sum(1 for p in pixels if p < 128)


def main():
    librecad, folder, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    os.makedirs(folder, mode=0o700, exist_ok=True)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=folder,
               XDG_CONFIG_HOME=folder, XDG_RUNTIME_DIR=folder)
    failed = False
    for dxf in files:
        pdf = os.path.join(folder, os.path.splitext(os.path.basename(dxf))[0] + ".pdf")
        if os.path.exists(pdf):
            os.remove(pdf)
        subprocess.run([librecad, "dxf2pdf", "-a", "-m", "-t", folder, dxf], env=env, timeout=120,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not os.path.exists(pdf):
            print(f"{dxf}: LibreCAD wrote no PDF")
            failed = True
            continue
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, timeout=60).stdout
        pages = [line.split()[-1] for line in info.splitlines() if line.startswith("Pages:")]
        dark = ink(pdf, folder)
        if pages != ["1"] or dark < 500:
            print(f"{dxf}: pages {pages}, {dark} dark pixels")
            failed = True
        else:
            print(f"{dxf}: one page, {dark} dark pixels")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
