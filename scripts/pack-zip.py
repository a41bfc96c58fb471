"""Zips a folder so that the zip depends on nothing but the files' names and
contents: entries in the byte order of their names, every one with the time
SOURCE_DATE_EPOCH gives, Unix mode 644 or 755 and no extra fields (no access
times, no owner). The folder's own name is the folder in the zip. Every name
must be ASCII: Windows' own unzip before Windows 10 ignores the UTF-8 flag
and garbles any other.
    python3 -X utf8 scripts/pack-zip.py OUT.zip FOLDER
"""
import os
import sys
import time
import zipfile


def main():
    out, folder = sys.argv[1], os.path.abspath(sys.argv[2])
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch:
        sys.exit("pack-zip: SOURCE_DATE_EPOCH is not set (scripts/release.sh sets it to the commit's time)")
    # A zip time has no zone: the commit's time in UTC, wherever it is packed.
    # 1980 is the earliest a zip can hold.
    stamp = max(time.gmtime(int(epoch))[:6], (1980, 1, 1, 0, 0, 0))

    base = os.path.dirname(folder)
    paths = [os.path.join(root, name) for root, _, names in os.walk(folder) for name in names]
    entries = sorted(((os.path.relpath(path, base).replace(os.sep, "/"), path) for path in paths),
                     key=lambda entry: entry[0].encode())

    foreign = [name for name, _ in entries if not name.isascii()]
    if foreign:
        sys.exit(f"pack-zip: not ASCII, so Windows XP to 7 would unpack it under another name: {foreign[0]}")

    with zipfile.ZipFile(out, "w") as archive:
        for name, path in entries:
            info = zipfile.ZipInfo(name, stamp)
            info.create_system = 3  # Unix, for the mode below
            executable = os.stat(path).st_mode & 0o100
            info.external_attr = (0o100755 if executable else 0o100644) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as source:
                archive.writestr(info, source.read(), compresslevel=9)


if __name__ == "__main__":
    main()
