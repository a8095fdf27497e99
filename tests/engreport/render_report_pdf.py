"""Prints each engineering report to PDF with headless Chromium and checks
that it is exactly one A4 portrait page with ink on it, in its upper and its
lower half (the diagrams and the drawing sit at the bottom). Fails, rather
than hangs, when Chromium does not finish."""
import os
import re
import signal
import subprocess
import sys
import tempfile

CHROMIUM_SECONDS = 120
A4_POINTS = (595.28, 841.89)


def run(command, seconds):
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               start_new_session=True)
    try:
        output, _ = process.communicate(timeout=seconds)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.communicate()
        raise RuntimeError(f"{command[0]} did not finish in {seconds} s")
    return process.returncode, output.decode(errors="replace")


def read_pgm(path):
    with open(path, "rb") as f:
        data = f.read()
    match = re.match(rb"P5\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    width, height = int(match.group(1)), int(match.group(2))
    return width, height, data[match.end():match.end() + width * height]


def ink_share(pixels, width, first_row, last_row):
    rows = pixels[first_row * width:last_row * width]
    return sum(1 for p in rows if p < 128) / max(1, len(rows))


def check(chromium, html, folder):
    name = os.path.splitext(os.path.basename(html))[0]
    pdf = os.path.join(folder, name + ".pdf")
    profile = tempfile.mkdtemp(prefix="profile-", dir=folder)
    code, output = run([chromium, "--headless", "--no-sandbox", "--disable-gpu",
                        "--disable-quic", "--no-first-run", "--disable-background-networking",
                        "--disable-component-update", "--disable-sync",
                        f"--user-data-dir={profile}", f"--print-to-pdf={pdf}",
                        "--no-pdf-header-footer", os.path.abspath(html)], CHROMIUM_SECONDS)
    if not os.path.exists(pdf):
        return [f"no PDF (exit {code}): {output[-800:]}"]
    problems = []
    _, info = run(["pdfinfo", pdf], 30)
    pages = re.search(r"^Pages:\s+(\d+)", info, re.M)
    size = re.search(r"^Page size:\s+([\d.]+) x ([\d.]+) pts", info, re.M)
    if not pages or int(pages.group(1)) != 1:
        problems.append(f"pages: {pages.group(1) if pages else '?'}, want 1")
    if not size or any(abs(float(size.group(i + 1)) - A4_POINTS[i]) > 2 for i in range(2)):
        problems.append(f"page size {size.groups() if size else '?'}, want A4 portrait")
    run(["pdftoppm", "-gray", "-r", "50", "-f", "1", "-l", "1", "-singlefile", pdf,
         os.path.join(folder, name)], 60)
    width, height, pixels = read_pgm(os.path.join(folder, name + ".pgm"))
    for label, first, last in (("upper", 0, height // 2), ("lower", height // 2, height)):
        share = ink_share(pixels, width, first, last)
        if share < 0.01:
            problems.append(f"{label} half blank ({share:.3%} ink)")
    return problems


def main():
    chromium, folder, *pages = sys.argv[1:]
    os.makedirs(folder, exist_ok=True)
    failed = False
    for html in pages:
        try:
            problems = check(chromium, html, folder)
        except RuntimeError as error:
            problems = [str(error)]
        for problem in problems:
            print(f"{html}: {problem}")
        failed |= bool(problems)
        if not problems:
            print(f"{html}: one A4 page")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
