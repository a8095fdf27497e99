"""Parses each engineering report with Python's XML parser (a real parser:
the page is written so that it is also well-formed XML) and checks its
structure: one page element, the pictures it must carry, nothing that points
outside the file."""
import sys
import xml.etree.ElementTree as ET

OUTSIDE = ("http:", "https:", "//", "url(")


def check(path, want_svgs):
    tree = ET.parse(path)  # raises on any well-formedness error
    root = tree.getroot()
    problems = []
    if root.tag != "html" or root.get("lang") != "zh-CN":
        problems.append("root is not <html lang=zh-CN>")
    if root.find("./head/meta[@charset='utf-8']") is None:
        problems.append("no utf-8 charset")
    svgs = root.findall(".//svg")
    if len(svgs) != want_svgs:
        problems.append(f"{len(svgs)} pictures, want {want_svgs}")
    for element in root.iter():
        if element.tag in ("script", "link", "img", "iframe", "object", "embed"):
            problems.append(f"<{element.tag}> present")
        for name, value in element.attrib.items():
            if name in ("href", "src") or any(o in value for o in OUTSIDE):
                problems.append(f"<{element.tag} {name}={value!r}>")
    style = "".join(s.text or "" for s in root.iter("style"))
    problems += [f"style holds {o}" for o in OUTSIDE if o in style]
    return problems


def main():
    # arguments: FILE WANTED_PICTURES [FILE WANTED_PICTURES ...]
    args = sys.argv[1:]
    failed = False
    for path, want in zip(args[::2], args[1::2]):
        try:
            problems = check(path, int(want))
        except ET.ParseError as error:
            problems = [f"not well-formed: {error}"]
        for problem in problems:
            print(f"{path}: {problem}")
        failed |= bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
