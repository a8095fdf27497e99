"""Prints engineering reports to PDF in one headless Chromium (driven over its
DevTools pipe, so one start serves every page) and checks how they break on
A4: a report that fits takes one page; otherwise no page ends with a heading,
the sketch shares its page with its requirements, and the title block stands
whole on the last page. The reports are those given on the command line and
those orsela-cli writes for a table of designs and check options.

Arguments: CHROMIUM CLI FOLDER [REPORT.html[:PAGES] ...], PAGES as in the
table below (1 when not given). Exits 77 (skipped) when
Chromium is not installed; fails, rather than hangs, when it does not answer."""
import base64
import json
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET

SECONDS = 90
A4_POINTS = (595.28, 841.89)
HEADING = re.compile(r"^\s*([一二三四五六七八]、\S+|技术要求|参考资料)\s*$")

CHECKED = ["--check", "--load-cycles=1e6"]
EXTENSION = ["--extension", "--known-loads", "--initial-tension=50", "--working-load1=100",
             "--working-load2=200", "--working-load3=300"]
TORSION = ["--torsion", "--material=EN 10270-1 SM", "--wire-diameter=2", "--mean-diameter=16",
           "--active-coils=6.25", "--leg-length1=25", "--leg-length2=40", "--working-angle1=30",
           "--working-angle2=60", "--working-angle3=90"]
# name | options | pages it must take (0: as many as it needs, breaking cleanly)
DESIGNS = [
    ("unchecked", [], 1),
    ("extension-unchecked", EXTENSION, 1),
    ("gb-65mn-cycles", CHECKED + ["--material=65Mn"], 0),
    ("en-sm-frequency", CHECKED + ["--material=EN 10270-1 SM", "--working-frequency=10"], 0),
    ("en-standard", CHECKED + ["--material=EN 10270-1 SM", "--standard=en"], 0),
    ("gb-static", ["--check", "--material=ASTM A228"], 0),
    ("certificate-rm", CHECKED + ["--material=65Mn", "--tensile-strength=1600"], 0),
    ("end-pinned", CHECKED + ["--material=ASTM A228", "--end-condition=pinned-pinned"], 0),
    ("unlimited-life", ["--check", "--material=60Si2MnA", "--load-type=dynamic-unlimited",
                        "--elastic-modulus=206000", "--density=7.85"], 0),
    ("extension-gb", EXTENSION + CHECKED + ["--material=65Mn", "--hook-bend-radius=6"], 0),
    ("extension-en", EXTENSION + CHECKED + ["--material=EN 10270-1 SM", "--standard=en",
                                            "--working-frequency=5"], 0),
    ("torsion-unchecked", TORSION, 0),
    ("torsion-arbor", TORSION + ["--check", "--arbor-diameter=11", "--title-block=旋向=左"], 0),
    ("torsion-torques-unwind", ["--torsion", "--material=65Mn", "--wire-diameter=4",
                                "--mean-diameter=30", "--active-coils=10.5", "--leg-length1=80",
                                "--leg-length2=120", "--known-torques", "--working-torque1=2000",
                                "--working-torque3=6000", "--load-direction=unwind",
                                "--coil-spacing=0.5", "--check", "--load-cycles=1e5"], 0),
    ("long-title", CHECKED + ["--material=65Mn", "--title-block=单位=" + "某某弹簧有限公司" * 4], 0),
]


class Browser:
    """One Chromium and its DevTools pipe (fd 3 in, fd 4 out, NUL-ended JSON)."""

    def __init__(self, chromium, profile):
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()
        # The shell hands the pipe's ends over as the fds 3 and 4 Chromium expects.
        self.process = subprocess.Popen(
            ["/bin/sh", "-c", f'exec "$0" "$@" 3<&{to_browser_r} 4>&{from_browser_w}', chromium,
             "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--remote-debugging-pipe", f"--user-data-dir={profile}", "about:blank"],
            pass_fds=(to_browser_r, from_browser_w), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self.buffer = b""
        self.next_id = 0

    def close(self):
        os.killpg(self.process.pid, signal.SIGKILL)
        self.process.wait()

    def _message(self, deadline):
        while b"\0" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.from_browser], [], [], left)[0]:
                raise RuntimeError(f"Chromium did not answer in {SECONDS} s")
            chunk = os.read(self.from_browser, 1 << 20)
            if not chunk:
                raise RuntimeError("Chromium closed its pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, params=None, session=None, until_event=None):
        self.next_id += 1
        request = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            request["sessionId"] = session
        os.write(self.to_browser, json.dumps(request).encode() + b"\0")
        deadline = time.monotonic() + SECONDS
        result, seen_event = None, until_event is None
        while result is None or not seen_event:
            message = self._message(deadline)
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                result = message["result"]
            elif message.get("method") == until_event and message.get("sessionId") == session:
                seen_event = True
        return result

    def print_pdf(self, html, pdf):
        target = self.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = self.call("Target.attachToTarget", {"targetId": target, "flatten": True})
        session = session["sessionId"]
        self.call("Page.enable", session=session)
        self.call("Page.navigate", {"url": "file://" + os.path.abspath(html)}, session,
                  until_event="Page.loadEventFired")
        data = self.call("Page.printToPDF", {"printBackground": True, "preferCSSPageSize": True},
                         session)["data"]
        with open(pdf, "wb") as f:
            f.write(base64.b64decode(data))
        self.call("Target.closeTarget", {"targetId": target})


def run(command):
    return subprocess.run(command, capture_output=True, text=True, timeout=SECONDS, check=True)


def page_lines(pdf, count):
    pages = []
    for number in range(1, count + 1):
        text = run(["pdftotext", "-layout", "-f", str(number), "-l", str(number), pdf, "-"]).stdout
        pages.append([line for line in text.splitlines() if line.strip()])
    return pages


def page_of(pages, text):
    found = [i for i, lines in enumerate(pages) if any(text in line for line in lines)]
    return found[0] if len(found) == 1 else None


def last_requirement(html):
    items = ET.parse(html).getroot().findall(".//div[@class='requirements']/ol/li")
    return (items[-1].text or "").strip()[:8] if items else None


def read_pgm(path):
    with open(path, "rb") as f:
        data = f.read()
    match = re.match(rb"P5\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    width, height = int(match.group(1)), int(match.group(2))
    return width, height, data[match.end():match.end() + width * height]


def blank_halves(pdf):
    """The halves of the first page without ink: a one-page report carries its
    values above and its diagrams and drawing below."""
    stem = os.path.splitext(pdf)[0]
    run(["pdftoppm", "-gray", "-r", "50", "-f", "1", "-l", "1", "-singlefile", pdf, stem])
    width, height, pixels = read_pgm(stem + ".pgm")
    blank = []
    for label, first, last in (("upper", 0, height // 2), ("lower", height // 2, height)):
        rows = pixels[first * width:last * width]
        if sum(1 for p in rows if p < 128) < 0.01 * max(1, len(rows)):
            blank.append(label)
    return blank


def check(pdf, html, want_pages):
    info = run(["pdfinfo", pdf]).stdout
    count = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
    size = re.search(r"^Page size:\s+([\d.]+) x ([\d.]+) pts", info, re.M)
    problems = []
    if not size or any(abs(float(size.group(i + 1)) - A4_POINTS[i]) > 2 for i in range(2)):
        problems.append(f"page size {size.groups() if size else '?'}, want A4 portrait")
    if want_pages and count != want_pages:
        problems.append(f"{count} pages, want {want_pages}")
    if count == 1:
        problems += [f"{half} half of the page blank" for half in blank_halves(pdf)]
    pages = page_lines(pdf, count)
    for number, lines in enumerate(pages[:-1], start=1):
        if lines and HEADING.match(lines[-1]):
            problems.append(f"page {number} ends with the heading {lines[-1].strip()}")
    sketch = page_of(pages, "弹簧简图 (按 GB/T 4459.4 画法)")
    requirements = page_of(pages, "技术要求")
    last = last_requirement(html)
    if sketch is None or sketch != requirements or sketch != page_of(pages, last):
        problems.append(f"sketch on page {sketch}, requirements on {requirements}, "
                        f"their last line ({last}) on {page_of(pages, last)}")
    first_row, second_row = page_of(pages, "零件名称"), page_of(pages, "审核")
    if first_row != count - 1 or second_row != count - 1:
        problems.append(f"title block rows on pages {first_row}, {second_row} of {count} "
                        "(0-based), want both on the last")
    return count, problems


def write_reports(cli, folder):
    reports = []
    for name, options, pages in DESIGNS:
        html = os.path.join(folder, name + ".html")
        done = subprocess.run([cli, *options, f"--html-report={html}"], capture_output=True,
                              text=True, timeout=SECONDS)
        if done.returncode != 0:
            raise RuntimeError(f"{name}: orsela-cli exit {done.returncode}: {done.stderr}")
        reports.append((html, pages))
    return reports


def main():
    chromium, cli, folder, *given = sys.argv[1:]
    if not os.path.isfile(chromium) or not os.access(chromium, os.X_OK):
        print(f"skipped: Chromium not found ({chromium})")
        return 77
    os.makedirs(folder, exist_ok=True)
    reports = write_reports(cli, folder)
    for argument in given:
        html, _, pages = argument.partition(":")
        reports.append((html, int(pages or 1)))
    profile = tempfile.mkdtemp(prefix="profile-", dir=folder)
    browser = Browser(chromium, profile)
    failed = False
    try:
        for html, want_pages in reports:
            pdf = os.path.splitext(os.path.join(folder, os.path.basename(html)))[0] + ".pdf"
            try:
                browser.print_pdf(html, pdf)
                count, problems = check(pdf, html, want_pages)
            except (RuntimeError, subprocess.SubprocessError) as error:
                count, problems = 0, [str(error)]
            for problem in problems:
                print(f"{html}: {problem}")
            if not problems:
                print(f"{html}: {count} A4 page(s), clean breaks")
            failed |= bool(problems)
    finally:
        browser.close()
        shutil.rmtree(profile, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
