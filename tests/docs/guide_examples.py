#!/usr/bin/env python3
"""Runs every example command of the guides and compares what it prints with what the guide shows.

  guide_examples.py CLI GUIDE|FOLDER...           each guide's examples must print what it shows
  guide_examples.py CLI GUIDE|FOLDER... --write   the guides' output lines written again from the runs

An example is a fenced block whose lines start with "$ orsela-cli ..." (a trailing "\\" continues
the command on the next line; "< FILE" gives standard input, "> FILE" takes standard output) or "$ cat FILE", each followed by the
lines it prints: standard output, then standard error, CR LF shown as a line end. A fenced block whose info string names a
file ("```csv table.csv") is written into the guide's folder before the commands after it run.
Each guide runs in a temporary folder of its own, its examples in order, so a file one example
writes is there for the next. Dates and the search's timing are masked on both sides.
"""
import os
import re
import shlex
import subprocess
import sys
import tempfile

MASKS = [
    (re.compile(r"\d{4}年\d{2}月\d{2}日"), "DATE"),
    (re.compile(r"\d{4}-\d{2}-\d{2}"), "DATE"),
    (re.compile(r"用时 [0-9.]+ s \(\d+ 线程\)"), "TIME"),
    (re.compile(r'"seconds": [0-9.e-]+'), '"seconds": TIME'),
    (re.compile(r'"threads": \d+'), '"threads": N'),
]
FENCE = re.compile(r"^(```+)(.*)$")


def masked(text):
    for pattern, mask in MASKS:
        text = pattern.sub(mask, text)
    return text


class Example:
    """One "$ ..." command of a block: its lines in the guide and the output lines shown."""

    def __init__(self, first_line):
        self.command_lines = [first_line]
        self.shown = []

    def command(self):
        joined = " ".join(line[:-1] if line.endswith("\\") else line for line in self.command_lines)
        return joined[2:]

    def continues(self):
        return self.command_lines[-1].endswith("\\")


def parse(lines):
    """Splits a guide into plain lines, files to write and examples, in order."""
    items = []  # ("text", line) | ("file", name, [lines], fence lines) | ("block", [Example], fence)
    i = 0
    while i < len(lines):
        fence = FENCE.match(lines[i])
        if not fence:
            items.append(("text", lines[i]))
            i += 1
            continue
        end = i + 1
        while end < len(lines) and lines[end] != fence.group(1):
            end += 1
        if end == len(lines):
            raise SystemExit(f"line {i + 1}: a fenced block that never closes")
        body = lines[i + 1:end]
        info = fence.group(2).split()
        if len(info) == 2:
            items.append(("file", info[1], body, (lines[i], lines[end])))
        elif body and body[0].startswith("$ "):
            examples = []
            for line in body:
                if examples and examples[-1].continues():
                    examples[-1].command_lines.append(line)
                elif line.startswith("$ "):
                    examples.append(Example(line))
                else:
                    examples[-1].shown.append(line)
            items.append(("block", examples, (lines[i], lines[end])))
        else:
            items.extend(("text", line) for line in lines[i:end + 1])
        i = end + 1
    return items


def run(cli, example, folder, where):
    words = shlex.split(example.command(), comments=True)
    stdin = subprocess.DEVNULL
    if "<" in words:
        at = words.index("<")
        stdin = open(os.path.join(folder, words[at + 1]), "rb")
        words = words[:at] + words[at + 2:]
    stdout = subprocess.PIPE
    if ">" in words:
        at = words.index(">")
        target = words[at + 1]
        stdout = open(target if target == os.devnull else os.path.join(folder, target), "wb")
        words = words[:at] + words[at + 2:]
    if words[0] == "cat":
        with open(os.path.join(folder, words[1]), encoding="utf-8", newline="") as f:
            return f.read().replace("\r\n", "\n")
    if words[0] != "orsela-cli":
        raise SystemExit(f"{where}: only orsela-cli and cat are run: {example.command()}")
    emulator = os.environ.get("ORSELA_CLI_EMULATOR")
    argv = ([emulator] if emulator else []) + [cli] + words[1:]
    env = dict(os.environ, XDG_DATA_HOME=os.path.join(folder, ".data"), HOME=folder)
    done = subprocess.run(argv, cwd=folder, stdin=stdin, stdout=stdout, stderr=subprocess.PIPE,
                          env=env, timeout=60)
    for f in (stdin, stdout):
        if hasattr(f, "close"):
            f.close()
    # As a terminal shows it: a CSV's CR LF line ends as plain line ends.
    return ((done.stdout or b"") + done.stderr).decode("utf-8", "replace").replace("\r\n", "\n")


def check_guide(cli, path, write):
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    items = parse(lines)
    if not any(item[0] == "block" for item in items):
        return 0, 0
    faults = 0
    count = 0
    out = []
    with tempfile.TemporaryDirectory(prefix="orsela-guide-") as folder:
        for item in items:
            if item[0] == "text":
                out.append(item[1])
                continue
            if item[0] == "file":
                _, name, body, fence = item
                with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
                    f.write("\n".join(body) + "\n")
                out.extend([fence[0], *body, fence[1]])
                continue
            _, examples, fence = item
            out.append(fence[0])
            for example in examples:
                count += 1
                where = f"{os.path.basename(path)}: {example.command_lines[0]}"
                printed = run(cli, example, folder, where)
                printed_lines = printed[:-1].split("\n") if printed.endswith("\n") else (
                    printed.split("\n") if printed else [])
                if masked("\n".join(printed_lines)) != masked("\n".join(example.shown)):
                    faults += 1
                    if not write:
                        print(f"{where}\n--- the guide shows\n" + "\n".join(example.shown) +
                              "\n--- it prints\n" + "\n".join(printed_lines) + "\n")
                out.extend(example.command_lines)
                out.extend(printed_lines)
            out.append(fence[1])
    if write and faults:
        with open(path, "w", encoding="utf-8") as f:
            f.write("\n".join(out))
    return count, faults


def main():
    args = [a for a in sys.argv[1:] if a != "--write"]
    write = "--write" in sys.argv[1:]
    if len(args) < 2:
        raise SystemExit(__doc__)
    cli = os.path.abspath(args[0])
    guides = []
    for path in args[1:]:
        if os.path.isdir(path):
            guides += [os.path.join(path, n) for n in sorted(os.listdir(path)) if n.endswith(".md")]
        else:
            guides.append(path)
    total = 0
    faults = 0
    for guide in guides:
        count, wrong = check_guide(cli, guide, write)
        total += count
        faults += wrong
    verb = "written again" if write else "differ"
    print(f"{total} examples, {faults} {verb}")
    return 0 if write or faults == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
