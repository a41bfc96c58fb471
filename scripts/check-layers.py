#!/usr/bin/env python3
"""Fails on an include that runs back up the program's layers.

The layers, lowest first: runtime, bridge, windows, idler, app. A file of one
layer includes only headers of its own layer and of those beneath it. The
portable half of each layer (outside its win32/ folders) includes no Windows
header and nothing of a win32/ folder, so it builds and is tested natively.
Resource ids come from the windows that name them: runtime and bridge never
include resources/. Beside the layers, codec/ (the pictures' JPEG decoder)
stands alone: it includes nothing of the program and no Windows header, and
only runtime/win32/, which draws the pictures, includes it. Tests, tools and
benchmarks may include anything.

    scripts/check-layers.py [ROOT]
"""
import pathlib
import re
import sys

LAYERS = ["runtime", "bridge", "windows", "idler", "app"]
RESOURCES_FROM = "windows"  # the lowest layer that may name resources
# Libraries beside the layers, and the one folder that includes each.
LIBRARIES = {"codec": "runtime/win32"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
WINDOWS_HEADER = re.compile(
    r"^(windows|win\w+|commctrl|commdlg|shellapi|shlobj|shlwapi|objbase|ole\w*|ocidl|psapi|uxtheme|dwmapi|"
    r"gdiplus\w*|mmsystem)\.h$",
    re.IGNORECASE)


def includes(root, folder):
    """(path relative to root, line number, '<' or '"', header) of every include under folder."""
    for path in sorted((root / folder).rglob("*")):
        if path.suffix not in (".c", ".cpp", ".h") or not path.is_file():
            continue
        for number, text in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(text)
            if match:
                yield path.relative_to(root), number, *match.groups()


def where(relative, number, bracket, header):
    return f"{relative}:{number}: {bracket}{header}{'>' if bracket == '<' else chr(34)}"


def faults(root):
    for library in LIBRARIES:
        for relative, number, bracket, header in includes(root, library):
            if bracket == "<" and WINDOWS_HEADER.match(header):
                yield f"{where(relative, number, bracket, header)}: a Windows header in {library}/"
            elif bracket == '"' and "/" in header and header.split("/")[0] != library:
                yield f"{where(relative, number, bracket, header)}: {library}/ includes nothing of the program"
    for rank, layer in enumerate(LAYERS):
        for relative, number, bracket, header in includes(root, layer):
            at = where(relative, number, bracket, header)
            portable = "win32" not in relative.parts
            if bracket == "<":
                if portable and WINDOWS_HEADER.match(header):
                    yield f"{at}: a Windows header in the portable part of {layer}/"
                continue
            top = header.split("/")[0]
            if top in LIBRARIES:
                if not relative.as_posix().startswith(LIBRARIES[top] + "/"):
                    yield f"{at}: only {LIBRARIES[top]}/ includes {top}/"
            elif top in LAYERS and LAYERS.index(top) > rank:
                yield f"{at}: {layer}/ is beneath {top}/"
            elif top == "resources" and rank < LAYERS.index(RESOURCES_FROM):
                yield f"{at}: {layer}/ takes resource ids from its callers"
            elif top not in LAYERS and top != "resources" and "/" in header:
                yield f"{at}: {layer}/ includes from outside the layers"
            if portable and "win32" in header.split("/"):
                yield f"{at}: the portable part of {layer}/ includes a win32/ header"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    found = list(faults(root))
    for fault in found:
        print(fault)
    if found:
        print(f"check-layers: {len(found)} include(s) against the layers {' -> '.join(LAYERS)}")
        return 1
    print(f"check-layers: every include follows {' -> '.join(LAYERS)}, and {', '.join(LIBRARIES)} stands alone")
    return 0


if __name__ == "__main__":
    sys.exit(main())
