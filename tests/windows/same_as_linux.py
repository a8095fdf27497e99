#!/usr/bin/env python3
"""orsela-cli.exe under wine prints and writes what the Linux build does.

  same_as_linux.py LINUX_CLI WINDOWS_EXE

Each case runs both programs in a folder of their own whose name is Chinese,
with the same files, and compares exit status, standard output, standard
error and every file written, byte for byte (dates masked); then Ctrl-C
during a batch.
"""
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

TABLE = ("wire-diameter,mean-diameter,check,material\n"
         "4,28,1,65Mn\n"
         "3.5,25,1,碳素弹簧钢丝 B级\n"
         "abc,28,,\n")
DESIGN = '{"wire-diameter": "4", "mean-diameter": "28", "material": "65Mn"}\n'
SEARCH = ["search", "--material=65Mn", "--wire-diameters=3,4,5", "--load1=92.128", "--height1=40",
          "--load2=184.257", "--height2=36", "--load3=368.513", "--height3=28", "--top=2"]

# name: (arguments, files the run writes)
CASES = {
    "chinese-material": (["--check", "--material=碳素弹簧钢丝 B级"], []),
    "batch-chinese-paths": (["batch", "--check", "--output=结果.csv", "设计表.csv"], ["结果.csv"]),
    "batch-stdin": (["batch", "-"], []),
    "search": (SEARCH + ["--format=json"], []),
    "report-and-drawing": (["--check", "--report=计算书.doc", "--html-report=报告.html",
                            "--drawing=图纸.dxf"], ["计算书.doc", "报告.html", "图纸.dxf"]),
    "drawing-svg": (["--drawing=图纸.svg"], ["图纸.svg"]),
    "design-file": (["--design=设计.json", "--save-design=又一个.json"], ["又一个.json"]),
    "replaces-existing": (["--report=旧.doc"], ["旧.doc"]),
    "missing-folder": (["--report=没有的文件夹/r.doc"], []),
    "output-is-folder": (["batch", "--output=文件夹", "设计表.csv"], []),
    "missing-table": (["batch", "没有.csv"], []),
}

DATE = [re.compile(rb"\d{4}-\d{2}-\d{2}"), re.compile("\\d{4}年\\d{2}月\\d{2}日".encode()),
        re.compile("\\d{4}年\\d{2}月\\d{2}日".encode("gbk")), re.compile(rb"\d+(\.\d+)? s \(\d+ "),
        re.compile(rb"\"seconds\": [0-9.e-]+"), re.compile(rb"\"threads\": \d+")]


def masked(data):
    for pattern in DATE:
        data = pattern.sub(b"MASKED", data)
    return data


def run(command, args, written):
    with tempfile.TemporaryDirectory() as top:
        folder = os.path.join(top, "弹簧 设计")
        os.makedirs(os.path.join(folder, "文件夹"))
        for name, text in (("设计表.csv", TABLE), ("设计.json", DESIGN), ("旧.doc", "old")):
            with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
                f.write(text)
        env = {k: v for k, v in os.environ.items() if k.startswith("WINE") or k in ("PATH", "HOME")}
        env["LANG"] = "C.UTF-8"
        done = subprocess.run(command + args, cwd=folder, env=env, input=TABLE.encode(),
                              capture_output=True, timeout=120)
        files = {}
        for name in written:
            path = os.path.join(folder, name)
            files[name] = masked(open(path, "rb").read()) if os.path.exists(path) else None
        left = sorted(n for n in os.listdir(folder) if n.startswith(".orsela-"))
        return done.returncode, masked(done.stdout), masked(done.stderr), files, left


def interrupted_batch(exe):
    """Ctrl-C (wine turns SIGINT into the console's Ctrl-C) during a batch
    leaves no temporary file and the old output as it was."""
    with tempfile.TemporaryDirectory() as top:
        folder = os.path.join(top, "中断")
        os.makedirs(folder)
        with open(os.path.join(folder, "大表.csv"), "w", encoding="utf-8") as f:
            f.write("wire-diameter,mean-diameter,check\n")
            f.writelines(f"4,{20 + i % 100 / 10},1\n" for i in range(200000))
        with open(os.path.join(folder, "结果.csv"), "w", encoding="utf-8") as f:
            f.write("old")
        env = {k: v for k, v in os.environ.items() if k.startswith("WINE") or k in ("PATH", "HOME")}
        env["LANG"] = "C.UTF-8"  # wine reads the Linux names and arguments in this locale
        run = subprocess.Popen(["wine", exe, "batch", "--check", "--output=结果.csv", "大表.csv"],
                               cwd=folder, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
        for _ in range(600):
            if any(n.startswith(".orsela-") for n in os.listdir(folder)) or run.poll() is not None:
                break
            time.sleep(0.05)
        started = run.poll() is None
        run.send_signal(signal.SIGINT)
        run.wait(timeout=60)
        # The file was deleted while open, so it goes when its last handle
        # closes; wineserver closes an ended process's handles a moment
        # after the process is reaped, later still on a loaded machine.
        for _ in range(200):
            left = [n for n in os.listdir(folder) if n.startswith(".orsela-")]
            if not left:
                break
            time.sleep(0.05)
        with open(os.path.join(folder, "结果.csv"), encoding="utf-8") as f:
            kept = f.read() == "old"
        if not started or left or not kept:
            print(f"ctrl-c: started {started}, left {left}, old output kept {kept}, "
                  f"status {run.returncode}")
            return False
        return True


def main():
    linux, exe = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    failed = 0
    for name, (args, written) in CASES.items():
        want = run([linux], args, written)
        got = run(["wine", exe], args, written)
        if want != got:
            failed += 1
            print(f"{name}: differs\n  linux   {want}\n  windows {got}")
    if not interrupted_batch(exe):
        failed += 1
    print(f"{len(CASES) + 1 - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
