#!/usr/bin/env python3
"""Fails on an include that runs back up the program's layers.

The layers, lowest first: runtime, bridge, windows, idler, app. A file of one
layer includes only headers of its own layer and of those beneath it. The
portable half of each layer (outside its win32/ folders) includes no Windows
header and nothing of a win32/ folder, so it builds and is tested natively.
Resource ids come from the windows that name them: runtime and bridge never
include resources/. Tests, tools and benchmarks may include anything.

    scripts/check-layers.py [ROOT]
"""
import pathlib
import re
import sys

LAYERS = ["runtime", "bridge", "windows", "idler", "app"]
RESOURCES_FROM = "windows"  # the lowest layer that may name resources
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
WINDOWS_HEADER = re.compile(
    r"^(windows|win\w+|commctrl|commdlg|shellapi|shlobj|shlwapi|objbase|ole\w*|ocidl|psapi|uxtheme|dwmapi|"
    r"gdiplus\w*|mmsystem)\.h$",
    re.IGNORECASE)


def faults(root):
    for rank, layer in enumerate(LAYERS):
        for path in sorted((root / layer).rglob("*")):
            if path.suffix not in (".c", ".cpp", ".h") or not path.is_file():
                continue
            relative = path.relative_to(root)
            portable = "win32" not in relative.parts
            for number, text in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                match = INCLUDE.match(text)
                if not match:
                    continue
                bracket, header = match.groups()
                where = f"{relative}:{number}: {bracket}{header}{'>' if bracket == '<' else chr(34)}"
                if bracket == "<":
                    if portable and WINDOWS_HEADER.match(header):
                        yield f"{where}: a Windows header in the portable part of {layer}/"
                    continue
                top = header.split("/")[0]
                if top in LAYERS and LAYERS.index(top) > rank:
                    yield f"{where}: {layer}/ is beneath {top}/"
                elif top == "resources" and rank < LAYERS.index(RESOURCES_FROM):
                    yield f"{where}: {layer}/ takes resource ids from its callers"
                elif top not in LAYERS and top != "resources" and "/" in header:
                    yield f"{where}: {layer}/ includes from outside the layers"
                if portable and "win32" in header.split("/"):
                    yield f"{where}: the portable part of {layer}/ includes a win32/ header"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    found = list(faults(root))
    for fault in found:
        print(fault)
    if found:
        print(f"check-layers: {len(found)} include(s) against the layers {' -> '.join(LAYERS)}")
        return 1
    print(f"check-layers: every include follows {' -> '.join(LAYERS)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
