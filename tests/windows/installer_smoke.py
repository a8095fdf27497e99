#!/usr/bin/env python3
"""The Windows installer under wine: a silent install into a temporary folder, the files and the
Start menu's entries there, the installed orsela-cli.exe run once from the menu's prompt script,
then a silent uninstall that leaves nothing behind.

  installer_smoke.py SETUP_EXE

Runs in the wine prefix of WINEPREFIX (as `make windows` sets it); the Start menu's entries and
the uninstall key are the prefix's own, and no menu entry reaches the desktop of the user.
"""
import os
import subprocess
import sys
import tempfile

INSTALLED = ["bin/orsela-cli.exe", "share/orsela/materials.json", "orsela.html",
             "orsela-prompt.cmd", "README.txt", "orsela.ico", "uninstall.exe"]
MENU = ["Orsela 弹簧设计.lnk", "Orsela 命令行.lnk", "卸载 Orsela.lnk"]
# winemenubuilder would copy the Start menu's entries into the user's own desktop menu.
ENV = dict(os.environ, WINEDEBUG="-all",
           WINEDLLOVERRIDES=os.environ.get("WINEDLLOVERRIDES", "mscoree,mshtml=") + ";winemenubuilder.exe=d")


def wine(*args, timeout=60):
    return subprocess.run(["wine", *args], capture_output=True, env=ENV, timeout=timeout)


def unix_path(windows_path):
    done = subprocess.run(["winepath", "-u", windows_path], capture_output=True, env=ENV, timeout=30)
    return done.stdout.decode().strip()


def windows_path(path):
    done = subprocess.run(["winepath", "-w", path], capture_output=True, env=ENV, timeout=30)
    return done.stdout.decode().strip()


def fail(message):
    print(message)
    sys.exit(1)


def main():
    setup = os.path.abspath(sys.argv[1])
    appdata = wine("cmd", "/c", "echo %APPDATA%").stdout.decode().strip()
    menu = os.path.join(unix_path(appdata), "Microsoft/Windows/Start Menu/Programs/Orsela")
    with tempfile.TemporaryDirectory(prefix="orsela-setup-") as top:
        # /D takes the rest of the line and must come last, unquoted: wine would quote a blank.
        # Named in Chinese: the program finds its materials data beside it by a UTF-8 path.
        folder = os.path.join(top, "弹簧设计")
        done = wine(setup, "/S", "/D=" + windows_path(folder))
        subprocess.run(["wineserver", "-w"], env=ENV, timeout=60)
        if done.returncode != 0:
            fail(f"setup /S: exit status {done.returncode}\n{done.stderr.decode(errors='replace')}")
        missing = [f for f in INSTALLED if not os.path.isfile(os.path.join(folder, f))]
        missing += [f for f in MENU if not os.path.isfile(os.path.join(menu, f))]
        if missing:
            fail(f"not installed: {missing}")

        # The prompt's script puts orsela-cli on PATH; the program finds its materials data.
        prompt = windows_path(os.path.join(folder, "orsela-prompt.cmd"))
        # One word each, so that wine quotes none of them (the folder holds no blank).
        done = wine("cmd", "/c", "call", prompt, "keep-folder", "&&", "orsela-cli", "--material=65Mn",
                    "--from-material", "--format=tsv")
        out = done.stdout.decode(errors="replace").replace("\r\n", "\n")
        if done.returncode != 0 or not out.startswith("FreeHeight\t44.0\n"):
            fail(f"installed orsela-cli.exe: exit status {done.returncode}\n{out}"
                 f"{done.stderr.decode(errors='replace')}")

        # The user's own materials file under %APPDATA% (a folder named in Chinese): found, and
        # a broken one named with its line. "&&" follows the value at once: cmd would keep a blank.
        appdata_here = os.path.join(top, "用户数据")
        os.makedirs(os.path.join(appdata_here, "orsela"))
        with open(os.path.join(appdata_here, "orsela", "materials.json"), "w", encoding="utf-8") as f:
            f.write("{\n  broken\n")
        done = wine("cmd", "/c", "set", f"APPDATA={windows_path(appdata_here)}&&", "call", prompt,
                    "keep-folder", "&&", "orsela-cli", "--material=65Mn", "--from-material")
        err = done.stderr.decode(errors="replace")
        if "用户数据\\orsela\\materials.json" not in err or "第 2 行" not in err:
            fail(f"the user's materials file under %APPDATA% was not read:\n{err}")

        # The uninstaller copies itself away and runs from there: wait for every wine process.
        done = wine(os.path.join(folder, "uninstall.exe"), "/S")
        subprocess.run(["wineserver", "-w"], env=ENV, timeout=60)
        left = [f for f in INSTALLED if os.path.exists(os.path.join(folder, f))]
        if os.path.exists(folder):
            left.append(folder)
        if os.path.exists(menu):
            left.append(menu)
        if left:
            fail(f"left after uninstall /S: {left}")
    print("installed, ran orsela-cli.exe, uninstalled")
    return 0


if __name__ == "__main__":
    sys.exit(main())
